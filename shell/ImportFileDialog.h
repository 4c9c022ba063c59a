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

inline const QString ImportDialogTitle = QStringLiteral("Import Manager List");

// Import Manager List's questions: the file, in the system's own file dialog, then
// whether to merge, in a box that names the file; nothing when the user cancels either.
std::optional<ImportChoice> askImportFile(QWidget* parent);
