// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// What the user picked in Import Manager List's file dialog.
struct ImportChoice {
    QStringList fileNames; // one or more, read in this order
    bool merge = false;    // add only the stations QSL.TXT lacks
};

// The file dialog of Import Manager List, where one file or several can be picked, its
// "merge" check box below the file list; nothing when the user cancels.
std::optional<ImportChoice> askImportFile(QWidget* parent);
