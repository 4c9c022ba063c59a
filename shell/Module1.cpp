// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Module1.h"

#include "shell/frmMain.h"

namespace Module1 {

frmMain* MainForm = nullptr;

void Main()
{
    MainForm = new frmMain;
    MainForm->show();
}

} // namespace Module1
