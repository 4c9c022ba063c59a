// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Twips.h"
#include "shell/StatusBar.h"
#include "shell/frmMain.h"
#include "support/MessageBoxCatcher.h"
#include "support/WindowTestFiles.h"
#include "support/WindowTestSetup.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#ifndef Q_OS_WIN
#include "support/TestDirectory.h"

#include "shell/SessionEnd.h"

#include <QProcess>

#include <csignal>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// Windows keeps the settings in the registry, not in a file, and limits no file's size per
// process: there the cases of a settings file and of a full disk do not apply.
#ifdef Q_OS_WIN
#define SKIP_ON_WINDOWS() QSKIP("the settings are in the registry; no file size limit")
#else
#define SKIP_ON_WINDOWS()
#endif

namespace {

using test::listLines;
using test::readBytes;
using test::writeBytes;

const QByteArray StoredPlacement = "[Settings]\nMainLeft=1500\nMainTop=1200\nMainWidth=9000\nMainHeight=7005\n\n"
                                   "[Options]\nShow%20Tips%20at%20Startup=1\n";

bool runningAsRoot()
{
#ifdef Q_OS_WIN
    return false;
#else
    return geteuid() == 0;
#endif
}

QStringList temporaryFiles()
{
    return QDir::current().entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden);
}

// Calls `act` once, as soon as `ready` holds, while a job of the window runs (the signal
// tests, which Windows has no signals for).
[[maybe_unused]] void whenReady(QObject* owner, std::function<bool()> ready, std::function<void()> act)
{
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, ready, act] {
        if (!ready())
            return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start(2);
}

#ifndef Q_OS_WIN
// The folder's lock is taken, and the job's output begun, once a temporary file is there.
bool jobHoldsTheFolder(const frmMain& window)
{
    return window.jobRunning() && !temporaryFiles().isEmpty();
}

// A FIFO in the working folder, whose reader is a job of the window or a borvelin-cli.
class Fifo {
public:
    explicit Fifo(const QString& name) : name_(QFile::encodeName(name))
    {
        QVERIFY(mkfifo(name_.constData(), 0644) == 0);
    }
    ~Fifo() { close(); }
    // Open for writing, once the reader is there; false while it is not.
    bool openForWriting()
    {
        if (fd_ < 0)
            fd_ = ::open(name_.constData(), O_WRONLY | O_NONBLOCK);
        return fd_ >= 0;
    }
    void writeAndClose(const QByteArray& bytes)
    {
        ::fcntl(fd_, F_SETFL, 0);
        QCOMPARE(::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size())),
                 static_cast<ssize_t>(bytes.size()));
        close();
    }
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    QByteArray name_;
    int fd_ = -1;
};
#endif

} // namespace

// The window where its path differs from the command-line companion's: the settings
// store, which may be unreadable, unwritable or garbage, and failed jobs, which the
// window reports in a message box before it goes on.
class tst_windowFaults : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void unreadableSettingsGiveTheDefaults_data();
    void unreadableSettingsGiveTheDefaults();
    void unwritableSettingsStayAsTheyWere();
    void settingsDirectoryUnwritable();
    void settingsFileNameTakenByADirectory();
    void garbageSettingsGiveTheDefaults_data();
    void garbageSettingsGiveTheDefaults();
    void diskFullIsReportedAndTheOldOutputKept();
    void failedList25LeavesEveryFileAndTheNextRunCountsAfresh();
    void sessionEndStopsTheJobCleansUpAndCloses_data();
    void sessionEndStopsTheJobCleansUpAndCloses();
    void aBrokenPipeNeitherStopsTheJobNorEndsTheWindow();
    void theCommandLineWaitsForTheWindowAndFails();
    void theWindowWaitsForTheCommandLineAndFails();

private:
    QString settingsFile() const { return settingsDir_->filePath(QStringLiteral("BORVELIN/BORVELIN.conf")); }
    std::unique_ptr<frmMain> openMainWindow();
    void trigger(frmMain& window, const char* name);
    void verifyPlacement(frmMain& window, int left, int top, int width, int height);
    void verifyAJobRuns(frmMain& window);

    std::unique_ptr<QTemporaryDir> settingsDir_;
    std::unique_ptr<QTemporaryDir> workDir_;
    QString previousDir_;
};

void tst_windowFaults::init()
{
    // A settings file of its own for every test: QSettings keeps what it read of a file.
    settingsDir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(settingsDir_->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_->path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_->path());
    qputenv("XDG_RUNTIME_DIR", settingsDir_->path().toLocal8Bit()); // not shared with a BORVELIN the user runs
#ifdef Q_OS_WIN
    QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").clear();
#else
    QCOMPARE(QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").fileName(), settingsFile());
#endif
    QVERIFY(QDir(settingsDir_->path()).mkpath(QStringLiteral("BORVELIN")));
    workDir_ = std::make_unique<QTemporaryDir>();
    previousDir_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workDir_->path()));
}

void tst_windowFaults::cleanup()
{
    QFile::setPermissions(settingsDir_->filePath(QStringLiteral("BORVELIN")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(settingsFile(), QFile::ReadOwner | QFile::WriteOwner);
    QDir::setCurrent(previousDir_);
    workDir_.reset();
    settingsDir_.reset();
}

std::unique_ptr<frmMain> tst_windowFaults::openMainWindow()
{
    return test::WindowTestSetup::openMainWindow();
}

void tst_windowFaults::trigger(frmMain& window, const char* name)
{
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY2(action, name);
    action->trigger();
}

void tst_windowFaults::verifyPlacement(frmMain& window, int left, int top, int width, int height)
{
    const QRect frame = window.frameGeometry();
    QCOMPARE(frame.topLeft(), QPoint(Twips::toPixelsX(window, left), Twips::toPixelsY(window, top)));
    QCOMPARE(frame.size(), QSize(Twips::toPixelsX(window, width), Twips::toPixelsY(window, height)));
}

void tst_windowFaults::verifyAJobRuns(frmMain& window)
{
    writeBytes(QStringLiteral("QSL.TXT"), listLines(3));
    trigger(window, "mnuFileTXT2FUL");
    QCOMPARE(window.StatusBar2->panelText(1), QStringLiteral("Records: 3"));
    QCOMPARE(readBytes(QStringLiteral("QSL.FUL")).count("&&\r\n"), 3);
}

void tst_windowFaults::unreadableSettingsGiveTheDefaults_data()
{
    QTest::addColumn<int>("permissions");
    QTest::newRow("no access") << 0;
    QTest::newRow("write only") << int(QFile::WriteOwner);
}

void tst_windowFaults::unreadableSettingsGiveTheDefaults()
{
    SKIP_ON_WINDOWS();
    if (runningAsRoot())
        QSKIP("root reads any file");
    QFETCH(int, permissions);
    writeBytes(settingsFile(), StoredPlacement);
    QVERIFY(QFile::setPermissions(settingsFile(), QFile::Permissions(permissions)));
    {
        const auto window = openMainWindow();
        verifyPlacement(*window, 1000, 1000, 6500, 6500);
        verifyAJobRuns(*window);
        window->move(window->pos() + QPoint(20, 20));
        window->close();
    }
    // What the program could not read it did not overwrite either.
    QVERIFY(QFile::setPermissions(settingsFile(), QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(readBytes(settingsFile()), StoredPlacement);
}

void tst_windowFaults::unwritableSettingsStayAsTheyWere()
{
    SKIP_ON_WINDOWS();
    if (runningAsRoot())
        QSKIP("root writes any file");
    writeBytes(settingsFile(), StoredPlacement);
    QVERIFY(QFile::setPermissions(settingsFile(), QFile::ReadOwner));
    {
        const auto window = openMainWindow();
        verifyPlacement(*window, 1500, 1200, 9000, 7005);
        verifyAJobRuns(*window);
        window->move(window->pos() + QPoint(20, 20));
        window->close();
    }
    QCOMPARE(readBytes(settingsFile()), StoredPlacement);
}

void tst_windowFaults::settingsDirectoryUnwritable()
{
    SKIP_ON_WINDOWS();
    if (runningAsRoot())
        QSKIP("root writes in any directory");
    QVERIFY(
        QFile::setPermissions(settingsDir_->filePath(QStringLiteral("BORVELIN")), QFile::ReadOwner | QFile::ExeOwner));
    const auto window = openMainWindow();
    verifyPlacement(*window, 1000, 1000, 6500, 6500);
    verifyAJobRuns(*window);
    window->close();
    QVERIFY(!QFile::exists(settingsFile()));
}

void tst_windowFaults::settingsFileNameTakenByADirectory()
{
    SKIP_ON_WINDOWS();
    QVERIFY(QDir().mkpath(settingsFile()));
    const auto window = openMainWindow();
    verifyPlacement(*window, 1000, 1000, 6500, 6500);
    verifyAJobRuns(*window);
    window->close();
    QVERIFY(QFileInfo(settingsFile()).isDir());
}

void tst_windowFaults::garbageSettingsGiveTheDefaults_data()
{
    QTest::addColumn<QByteArray>("contents");
    QByteArray noise(8192, '\0');
    QRandomGenerator random(6);
    for (auto& byte : noise)
        byte = static_cast<char>(random.bounded(256));
    QTest::newRow("random bytes") << noise;
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0');
    QTest::newRow("broken brackets") << QByteArray("[Settings\n[[[]]]\n=\n==\n[Settings]\n=MainLeft\n");
    QTest::newRow("words") << QByteArray(
        "[Settings]\nMainLeft=left\nMainTop=\nMainWidth=6500 twips\nMainHeight=0x1964\n");
    QTest::newRow("broken variants") << QByteArray(
        "[Settings]\nMainLeft=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xffQSizeF\\0@)\n"
        "MainTop=@Variant(\nMainWidth=@ByteArray(\nMainHeight=@Rect(1 2)\n");
    QTest::newRow("bytes above 127") << QByteArray("[Settings]\nMainLeft=\xff\xfe\nMainTop=\xc3\x28\nMainWidth=\x80\n"
                                                   "MainHeight=\xed\xa0\x80\n\xff\xfe=1\n");
    QTest::newRow("out of range") << QByteArray(
        "[Settings]\nMainLeft=1e30\nMainTop=-1e39\nMainWidth=nan\nMainHeight=inf\n");
    QTest::newRow("larger than any screen")
        << QByteArray("[Settings]\nMainLeft=1000\nMainTop=1000\nMainWidth=1e9\nMainHeight=3e8\n");
    QTest::newRow("no size") << QByteArray("[Settings]\nMainLeft=1000\nMainTop=1000\nMainWidth=0\nMainHeight=-6500\n");
    QTest::newRow("a million digits") << QByteArray("[Settings]\nMainLeft=" + QByteArray(1000000, '9') + "\n");
}

void tst_windowFaults::garbageSettingsGiveTheDefaults()
{
    SKIP_ON_WINDOWS();
    QFETCH(QByteArray, contents);
    writeBytes(settingsFile(), contents);
    {
        const auto window = openMainWindow();
        verifyPlacement(*window, 1000, 1000, 6500, 6500);
        verifyAJobRuns(*window);
        window->close();
    }
    // The placement saved at the end is read back at the next start.
    const auto reopened = openMainWindow();
    verifyPlacement(*reopened, 1000, 1000, 6500, 6500);
}

void tst_windowFaults::diskFullIsReportedAndTheOldOutputKept()
{
#ifdef Q_OS_WIN
    SKIP_ON_WINDOWS();
#else
    writeBytes(QStringLiteral("QSL.TXT"), listLines(3000));
    writeBytes(QStringLiteral("QSL.FUL"), "earlier QSL.FUL\r\n");
    const auto window = openMainWindow();
    {
        MessageBoxCatcher box;
        borvelin::test::FileSizeLimit limit(32 * 1024);
        trigger(*window, "mnuFileTXT2FUL");
        QCOMPARE(box.count, 1);
        QCOMPARE(box.icon, QMessageBox::Critical);
        // The error names the file with its folder.
        QCOMPARE(box.text, "Error 61: Disk full: " + QDir::toNativeSeparators(QDir::current().filePath("QSL.FUL")));
    }
    QCOMPARE(readBytes(QStringLiteral("QSL.FUL")), QByteArray("earlier QSL.FUL\r\n"));
    QCOMPARE(temporaryFiles(), QStringList());
    QVERIFY(window->isVisible());
    trigger(*window, "mnuFileTXT2FUL");
    QCOMPARE(readBytes(QStringLiteral("QSL.FUL")).count("&&\r\n"), 3000);
#endif
}

void tst_windowFaults::failedList25LeavesEveryFileAndTheNextRunCountsAfresh()
{
    const auto window = openMainWindow();
    writeBytes(QStringLiteral("QSL.TXT"), listLines(13) + "XYZLAND      QSL Bureau only\r\n");
    trigger(*window, "mnuFileList25");
    const QByteArray firstCsv = readBytes(QStringLiteral("QSL.CSV"));
    const QByteArray firstLog = readBytes(QStringLiteral("BORVELIN.LOG"));
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Rec: 14 1"));

    // A logged line, then Q3BIG stops the run at its 32768th record.
    writeBytes(QStringLiteral("QSL.TXT"),
               "XYZLAND      QSL Bureau only\r\n" + listLines(24) + listLines(32768, "Q3BIG"));
    {
        MessageBoxCatcher box;
        trigger(*window, "mnuFileList25");
        QCOMPARE(box.count, 1);
        // The error names the list with its folder, and the line of the record.
        QCOMPARE(box.text, QStringLiteral("Error 6: Overflow (more than 32767 records name the manager Q3BIG): ") +
                               QDir::toNativeSeparators(QDir::current().filePath(QStringLiteral("QSL.TXT"))) +
                               QStringLiteral(", line 32793"));
    }
    QCOMPARE(readBytes(QStringLiteral("QSL.CSV")), firstCsv);
    QCOMPARE(readBytes(QStringLiteral("QSLMGR.TXT")), QByteArray());
    QCOMPARE(readBytes(QStringLiteral("BORVELIN.LOG")), firstLog);
    QCOMPARE(temporaryFiles(), QStringList());

    // Nothing of the earlier runs is counted again.
    writeBytes(QStringLiteral("QSL.TXT"), listLines(13));
    trigger(*window, "mnuFileList25");
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Rec: 13 1"));
    QCOMPARE(readBytes(QStringLiteral("QSLMGR.TXT")), QByteArray());
}

#ifndef Q_OS_WIN
namespace {

frmMain* windowToEnd = nullptr;

// As the program's start does, once: a signal ends the session through the main window.
void watchTheSession()
{
    static const bool watching = [] {
        SessionEnd::watch([](int status) { windowToEnd->endSession(status); });
        return true;
    }();
    (void)watching;
}

} // namespace
#endif

void tst_windowFaults::sessionEndStopsTheJobCleansUpAndCloses_data()
{
    QTest::addColumn<int>("signalNumber");
#ifndef Q_OS_WIN
    QTest::newRow("SIGTERM, at shutdown") << SIGTERM;
    QTest::newRow("SIGHUP, the terminal closed") << SIGHUP;
    QTest::newRow("SIGINT, Ctrl+C in the terminal") << SIGINT;
#endif
}

// As the program's start does: a signal ends the session through the main window.
void tst_windowFaults::sessionEndStopsTheJobCleansUpAndCloses()
{
#ifdef Q_OS_WIN
    QSKIP("no such signals on Windows");
#else
    QFETCH(int, signalNumber);
    watchTheSession();
    QByteArray list;
    for (int block = 0; block < 100; ++block)
        list += "XYZLAND      QSL Bureau only\r\n" + listLines(5000, "Q" + QByteArray::number(block) + "MGR");
    writeBytes(QStringLiteral("QSL.TXT"), list);
    writeBytes(QStringLiteral("QSL.CSV"), "earlier records\r\n");
    writeBytes(QStringLiteral("BORVELIN.LOG"), "earlier entries\r\n");
    const auto window = openMainWindow();
    windowToEnd = window.get();
    whenReady(
        window.get(), [&] { return jobHoldsTheFolder(*window); }, [&] { ::kill(::getpid(), signalNumber); });
    MessageBoxCatcher box;
    trigger(*window, "mnuFileList25");
    QCOMPARE(window->sessionExitStatus(), 128 + signalNumber);
    QVERIFY(!window->isVisible());
    QCOMPARE(box.count, 0);
    QCOMPARE(readBytes(QStringLiteral("QSL.CSV")), QByteArray("earlier records\r\n"));
    QCOMPARE(readBytes(QStringLiteral("BORVELIN.LOG")), QByteArray("earlier entries\r\n"));
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({"BORVELIN.LOG", "QSL.CSV", "QSL.TXT"}));
    windowToEnd = nullptr;
#endif
}

// The window writes to no pipe: SIGPIPE, which would end a program as it stands, is ignored.
void tst_windowFaults::aBrokenPipeNeitherStopsTheJobNorEndsTheWindow()
{
#ifdef Q_OS_WIN
    QSKIP("no such signal on Windows");
#else
    watchTheSession();
    QByteArray list;
    for (int block = 0; block < 100; ++block)
        list += listLines(2000, "Q" + QByteArray::number(block) + "MGR");
    writeBytes(QStringLiteral("QSL.TXT"), list);
    bool signalSent = false;
    const auto window = openMainWindow();
    windowToEnd = window.get();
    whenReady(
        window.get(), [&] { return jobHoldsTheFolder(*window); },
        [&] {
            ::kill(::getpid(), SIGPIPE);
            signalSent = true;
        });
    MessageBoxCatcher box;
    trigger(*window, "mnuFileList25");
    QVERIFY(signalSent);
    QCOMPARE(box.text, QString());
    QVERIFY(window->isVisible());
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Rec: 200000 100"));
    QCOMPARE(readBytes(QStringLiteral("QSL.CSV")).count('\n'), 200000);
    windowToEnd = nullptr;
#endif
}

// The window's job holds the folder: the command line waits, says so, and fails naming it.
void tst_windowFaults::theCommandLineWaitsForTheWindowAndFails()
{
#ifdef Q_OS_WIN
    QSKIP("the command line is checked against the window on Linux");
#else
    Fifo list(QStringLiteral("QSL.TXT"));
    const auto window = openMainWindow();
    QString cliErrors;
    int cliStatus = -1;
    whenReady(
        window.get(), [&] { return jobHoldsTheFolder(*window) && list.openForWriting(); },
        [&] {
            QProcess cli;
            cli.start(QStringLiteral(BORVELIN_CLI), {QStringLiteral("buro")});
            QVERIFY(cli.waitForFinished(15000));
            cliStatus = cli.exitCode();
            cliErrors = QString::fromLocal8Bit(cli.readAllStandardError());
            list.writeAndClose(listLines(3));
        });
    trigger(*window, "mnuFileList25");
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Rec: 3 1"));
    QCOMPARE(cliStatus, 1);
    const QString folder = QDir::currentPath();
    QVERIFY2(cliErrors.contains(QStringLiteral("Waiting: another BORVELIN command is writing in ") + folder),
             qPrintable(cliErrors));
    QVERIFY2(cliErrors.contains(
                 QStringLiteral("error 70: Permission denied (another BORVELIN command is writing in this folder): ") +
                 folder + QLatin1Char('\n')),
             qPrintable(cliErrors));
    QVERIFY(!QFile::exists(QStringLiteral("QSLADM.TXT")));
#endif
}

// A borvelin-cli holds the folder: the window's job waits, says so, and fails naming it.
void tst_windowFaults::theWindowWaitsForTheCommandLineAndFails()
{
#ifdef Q_OS_WIN
    QSKIP("the command line is checked against the window on Linux");
#else
    Fifo rows(QStringLiteral("IMPORT.CSV"));
    QProcess cli;
    cli.start(QStringLiteral(BORVELIN_CLI), {QStringLiteral("import"), QStringLiteral("IMPORT.CSV")});
    QVERIFY(cli.waitForStarted());
    QTRY_VERIFY(rows.openForWriting());
    QTRY_VERIFY(!temporaryFiles().isEmpty()); // under the lock
    writeBytes(QStringLiteral("QSL.TXT"), listLines(3));
    const auto window = openMainWindow();
    QString waiting;
    whenReady(
        window.get(), [&] { return window->StatusBar2->panelText(1).startsWith(QStringLiteral("Waiting")); },
        [&] { waiting = window->StatusBar2->panelText(1); });
    MessageBoxCatcher box;
    trigger(*window, "mnuFileQSL_Buro_list");
    QCOMPARE(box.count, 1);
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    QCOMPARE(box.text,
             QStringLiteral("Error 70: Permission denied (another BORVELIN command is writing in this folder): ") +
                 folder);
    QCOMPARE(waiting, QStringLiteral("Waiting: another BORVELIN command is writing in ") + QDir::currentPath());
    QVERIFY(!QFile::exists(QStringLiteral("QSLADM.TXT")));
    rows.writeAndClose("Q1ABC;Q2MGR;2024-01\n");
    QVERIFY(cli.waitForFinished(15000));
    QCOMPARE(cli.exitCode(), 0);
#endif
}

// Root reads and writes every file whatever its mode; the checks on unreadable and
// unwritable settings need a user for whom the modes count.
static void leaveRoot()
{
#ifndef Q_OS_WIN
    if (geteuid() != 0)
        return;
    const passwd* nobody = getpwnam("nobody");
    if (!nobody)
        return; // the mode checks skip themselves
    if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
        qFatal("cannot change to the user nobody");
#endif
}

int main(int argc, char** argv)
{
    leaveRoot();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BORVELIN"));
    tst_windowFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowFaults.moc"
