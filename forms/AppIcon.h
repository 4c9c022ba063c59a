// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The name the desktop knows the program by: its desktop entry, its metainfo and its
// icon in the icon theme are all named after it.
inline const QString AppId = QStringLiteral("io.github.borvelin.Borvelin");

// The application icon in every size the program carries, for its windows.
QIcon AppIcon();

// The 32 by 32 picture of the icon, as the About box and the Tip window show it.
QPixmap AppPicture();
