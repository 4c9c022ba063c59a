// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

// What the user picked in Import Manager List's file dialog.
struct ImportChoice {
    QString fileName;
    bool merge = false; // add only the stations QSL.TXT lacks
};

// The file dialog of Import Manager List, its "merge" check box below the file list;
// nothing when the user cancels.
std::optional<ImportChoice> askImportFile(QWidget* parent);
