#include "shell/Module1.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BORVELIN"));
    Module1::Main();
    const int exitCode = QApplication::exec();
    delete Module1::MainForm; // while the application object still exists
    return exitCode;
}
