// SPDX-License-Identifier: GPL-3.0-or-later
// The failure log's date line: the window program writes it as borvelin-cli does, in the
// user's regional format. Run under a locale that is not English (LC_ALL=cs_CZ.UTF-8).
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/WindowTestFiles.h"
#include "support/WindowTestSetup.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <clocale>

class tst_logDates : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowWritesTheDatesAsTheCommandLineDoes();

private:
    test::WindowTestSetup setup_;
};

namespace {

// A date line's shape, its numbers left out: "9.9.9 9:9:9" for "8.12.2026 08:35:22".
QString shapeOf(const QByteArray& logLine)
{
    return QString::fromLocal8Bit(logLine.trimmed()).replace(QRegularExpression(QStringLiteral("\\d+")), "9");
}

QByteArray firstLine(const QString& file)
{
    return test::readBytes(file).split('\n').constFirst();
}

} // namespace

void tst_logDates::initTestCase()
{
    setup_.isolate();
}

void tst_logDates::windowWritesTheDatesAsTheCommandLineDoes()
{
    if (!std::setlocale(LC_TIME, ""))
        QSKIP("the locale LC_ALL names is not installed (Debian: locales, localedef)");
    std::setlocale(LC_TIME, "C"); // the program's start must set it
    setup_.enterFreshFolder();
    const QByteArray list = "Q1ABC        QSL via Q2MGR\r\nXYZLAND      QSL Bureau only\r\n";
    const QString window = setup_.workPath(QStringLiteral("window"));
    const QString commandLine = setup_.workPath(QStringLiteral("cli"));
    for (const QString& folder : {window, commandLine}) {
        QVERIFY(QDir().mkpath(folder));
        test::writeBytes(folder + "/QSL.TXT", list);
    }

    QVERIFY(QDir::setCurrent(window));
    Module1::Main();
    Module1::MainForm->findChild<QAction*>(QStringLiteral("mnuFileList25"))->trigger();
    delete Module1::MainForm;
    QCOMPARE(QProcess::execute(QStringLiteral(BORVELIN_CLI), {"-q", "-C", commandLine, "list25"}), 0);

    const QString windowDate = shapeOf(firstLine(window + "/BORVELIN.LOG"));
    const QString commandLineDate = shapeOf(firstLine(commandLine + "/BORVELIN.LOG"));
    QCOMPARE(windowDate, commandLineDate);
    // The C locale's "12/08/26 08:35:37" is no region's.
    QVERIFY2(windowDate != QStringLiteral("9/9/9 9:9:9"), qPrintable(firstLine(window + "/BORVELIN.LOG")));
    setup_.leaveFolder();
}

QTEST_MAIN(tst_logDates)
#include "tst_logDates.moc"
