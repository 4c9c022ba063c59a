// SPDX-License-Identifier: GPL-3.0-or-later
#include "BorvelinVersion.h"
#include "forms/AppIcon.h"
#include "shell/Module1.h"
#include "shell/SessionEnd.h"
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
    SessionEnd::watch([](int exitStatus) { Module1::MainForm->endSession(exitStatus); });
    if (!folder.isEmpty() && !Module1::MainForm->openFolder(folder) && WorkingFolder::recent().contains(folder))
        WorkingFolder::forget(folder); // the folder used last has gone
    int exitCode = QApplication::exec();
    if (Module1::MainForm->sessionExitStatus() != 0)
        exitCode = Module1::MainForm->sessionExitStatus();
    delete Module1::MainForm; // while the application object still exists
    return exitCode;
}
