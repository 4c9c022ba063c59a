// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QWidget;

// The program's open windows in the order they were opened; the main window first.
namespace Forms {

// Keeps `window` in the list while it is shown; every window of the program calls this
// once, when it is created.
void track(QWidget* window);
QList<QWidget*> open();

} // namespace Forms
