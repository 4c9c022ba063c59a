// SPDX-License-Identifier: GPL-3.0-or-later
#include "BorvelinVersion.h"
#include "forms/AppIcon.h"
#include "shell/Module1.h"
#include "shell/WorkingFolder.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BORVELIN"));
    QApplication::setApplicationVersion(QString::fromLatin1(borvelin::version::Text));
    QGuiApplication::setDesktopFileName(AppId); // ties the windows to the desktop entry and its icon
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Converts a QSL manager list, QSL.TXT, in FOLDER."));
    parser.addHelpOption();
    parser.addVersionOption();
    WorkingFolder::addOptions(parser);
    parser.process(app);
    const QString folder = WorkingFolder::startFolder(parser);
    Module1::Main();
    if (!folder.isEmpty() && !Module1::MainForm->openFolder(folder) && WorkingFolder::recent().contains(folder))
        WorkingFolder::forget(folder); // the folder used last has gone
    const int exitCode = QApplication::exec();
    delete Module1::MainForm; // while the application object still exists
    return exitCode;
}
