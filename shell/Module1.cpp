// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Module1.h"

#include "shell/frmMain.h"

#include <clocale>

namespace Module1 {

frmMain* MainForm = nullptr;

void Main()
{
    // The failure log's dates as the user writes them, as borvelin-cli writes them: Qt
    // sets the C library's locale on Linux, but not on Windows.
    std::setlocale(LC_TIME, "");
    MainForm = new frmMain;
    MainForm->show();
}

} // namespace Module1
