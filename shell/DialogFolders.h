// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where each file dialog opens: in the folder the user last chose a file in with that
// dialog, kept per user, or in the working folder when the dialog has not been used or
// its folder has gone.
namespace DialogFolders {

// The dialogs, by the names their folders are kept under.
inline const QString Import = QStringLiteral("Import");
inline const QString FillQslVia = QStringLiteral("Fill QSL Via");

QString startFolder(const QString& dialog);
// Keeps the folder of `chosenFile` for the next opening of `dialog`.
void remember(const QString& dialog, const QString& chosenFile);

} // namespace DialogFolders
