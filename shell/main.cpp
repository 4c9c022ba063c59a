// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/AppIcon.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BORVELIN"));
    QGuiApplication::setDesktopFileName(AppId); // ties the windows to the desktop entry and its icon
    Module1::Main();
    const int exitCode = QApplication::exec();
    delete Module1::MainForm; // while the application object still exists
    return exitCode;
}
