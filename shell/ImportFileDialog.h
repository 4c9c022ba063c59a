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

inline const QString ImportDialogTitle = QStringLiteral("Import Manager List");

// Import Manager List's questions: the files, one or several, in the system's own file
// dialog, then whether to merge, in a box that names them; nothing when the user cancels
// either.
std::optional<ImportChoice> askImportFile(QWidget* parent);

// The files' names as the system writes them, separated by commas.
QString nativeNames(const QStringList& files);
