// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The application title: the main window's caption, the title of the program's message
// boxes, and the name its settings are stored under.
inline const QString AppTitle = QStringLiteral("BORVELIN");
