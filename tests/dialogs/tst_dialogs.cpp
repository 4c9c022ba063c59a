// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Dialog.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmTip.h"
#include "forms/Twips.h"
#include "shell/frmMain.h"
#include "support/MessageBoxCatcher.h"
#ifdef Q_OS_WIN
#include "support/ScratchRegistry.h"
#endif

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

void writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Records the order in which watched windows are hidden.
class HideRecorder : public QObject {
public:
    QStringList hidden;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            hidden << watched->objectName();
        return false;
    }
};

} // namespace

class tst_dialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void aboutShowsTitleVersionAndDisclaimer();
    void aboutLayoutFollowsTheDesign();
    void aboutClosesWithOkEnterAndEsc();
    void aboutPictureStandsOnTheDialogsOwnColour();
    void helpAboutOpensAFreshModalBox();
    void getKeyValueReadsTextAndNumbers();
    void sysInfoWithoutRegistryValuesShowsTheMessage();
    void sysInfoStartsTheFirstValueUnchecked();
    void sysInfoFirstValueOfAnotherTypeFails();
    void sysInfoLooksForMsinfo32InTheSecondFolder();
    void sysInfoReadsAKeyThatAllowsReadingOnly();

    void tipOptionMissingTicksAndStoresOne();
    void tipOptionZeroClosesTheWindowWhileLoading();
    void tipOptionNotANumberCountsAsOne();
    void tipCheckBoxStoresTheOptionAtOnce();
    void tipsAreDrawnAtRandomWithRepeats();
    void emptyLineIsATipOfItsOwn();
    void missingTipFileExplainsWhatToDo();
    void tipFileIsLookedForBesideTheProgram();

    void closingTheMainWindowClosesTheOthersNewestFirst();
    void okCancelDialogDoesNothing();

private:
    void writeRegistry(const QByteArray& ini);
    QString option() const;
    void setOption(const QString& value);
    QString tipFile() const { return QCoreApplication::applicationDirPath() + "/TIPOFDAY.TXT"; }
    // A program that leaves a mark when it runs.
    QString markingProgram(const QString& path);

    QTemporaryDir settingsDir_;
    QTemporaryDir registryDir_;
    std::unique_ptr<QTemporaryDir> workDir_;
};

void tst_dialogs::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    qputenv("XDG_RUNTIME_DIR", settingsDir_.path().toLocal8Bit()); // not shared with a BORVELIN the user runs
    qputenv("XDG_CONFIG_DIRS", registryDir_.path().toLocal8Bit());
    QVERIFY(QDir().mkpath(registryDir_.path() + "/BORVELIN"));
#ifdef Q_OS_WIN
    QCOMPARE(Registry::storePath(), QString()); // the registry itself
    QVERIFY(test::ScratchRegistry::redirectLocalMachine());
#else
    QCOMPARE(Registry::storePath(), registryDir_.path() + "/BORVELIN/registry.ini");
#endif
}

void tst_dialogs::cleanupTestCase()
{
#ifdef Q_OS_WIN
    test::ScratchRegistry::restore();
#endif
}

void tst_dialogs::init()
{
    QSettings(QSettings::UserScope, frmTip::settingsAppName(), frmTip::settingsAppName()).clear();
    QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").clear();
    QFile::remove(registryDir_.path() + "/BORVELIN/registry.ini");
#ifdef Q_OS_WIN
    test::ScratchRegistry::clear();
#endif
    QFile::remove(tipFile());
    workDir_ = std::make_unique<QTemporaryDir>();
}

void tst_dialogs::writeRegistry(const QByteArray& ini)
{
#ifdef Q_OS_WIN
    QVERIFY(test::ScratchRegistry::import(ini));
#else
    writeText(registryDir_.path() + "/BORVELIN/registry.ini", ini);
#endif
}

QString tst_dialogs::option() const
{
    return QSettings(QSettings::UserScope, frmTip::settingsAppName(), frmTip::settingsAppName())
        .value("Options/Show Tips at Startup")
        .toString();
}

void tst_dialogs::setOption(const QString& value)
{
    QSettings(QSettings::UserScope, frmTip::settingsAppName(), frmTip::settingsAppName())
        .setValue("Options/Show Tips at Startup", value);
}

QString tst_dialogs::markingProgram(const QString& path)
{
#ifdef Q_OS_WIN
    // A small program that leaves "started" beside itself, built beside the test.
    if (!QFile::copy(QCoreApplication::applicationDirPath() + "/mark-started.exe", path))
        qWarning("cannot copy mark-started.exe to %s", qPrintable(path));
#else
    writeText(path, "#!/bin/sh\ntouch \"" + workDir_->filePath("started").toLocal8Bit() + "\"\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
#endif
    return path;
}

void tst_dialogs::aboutShowsTitleVersionAndDisclaimer()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About BORVELIN"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("BORVELIN"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 1.0.1"));
    QCOMPARE(about.lblDescription->text(), QStringLiteral("BORVELIN"));
    QCOMPARE(about.lblDisclaimer->text(),
             QStringLiteral("Warning: This is a fisrttime program. Any los of data and/or demage of hardware is for "
                            "your own risk and can not be claimed by the author of this program and/or Microsoft."));
    QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    QVERIFY(!about.picIcon->pixmap().isNull());
    QCOMPARE(about.picIcon->size(), QSize(32, 32));
}

void tst_dialogs::aboutLayoutFollowsTheDesign()
{
    frmAbout about;
    auto twips = [&](int left, int top, int width, int height) {
        return QRect(Twips::toPixelsX(about, left), Twips::toPixelsY(about, top), Twips::toPixelsX(about, width),
                     Twips::toPixelsY(about, height));
    };
    QCOMPARE(about.size(), QSize(Twips::toPixelsX(about, 5865), Twips::toPixelsY(about, 3630)));
    QCOMPARE(about.cmdOK->geometry(), twips(4245, 2625, 1467, 345));
    QCOMPARE(about.cmdSysInfo->geometry(), twips(4260, 3075, 1452, 345));
    QCOMPARE(about.lblDisclaimer->geometry(), twips(255, 2625, 3870, 825));
    QCOMPARE(about.lblVersion->geometry(), twips(1080, 780, 4095, 225));
    QCOMPARE(about.lblTitle->geometry(), twips(1080, 240, 4095, 480));
    QCOMPARE(about.lblDescription->geometry(), twips(1080, 1125, 4095, 1170));
    QCOMPARE(about.picIcon->pos(), twips(240, 240, 0, 0).topLeft());
    QVERIFY(about.cmdOK->isDefault());
    QCOMPARE(about.cmdOK->nextInFocusChain(), about.cmdSysInfo);
    // The whole disclaimer fits its box.
    const QRect room = about.lblDisclaimer->contentsRect();
    QVERIFY(
        about.lblDisclaimer->fontMetrics().boundingRect(room, Qt::TextWordWrap, about.lblDisclaimer->text()).height() <=
        room.height());
}

void tst_dialogs::aboutClosesWithOkEnterAndEsc()
{
    for (const auto& close : QList<std::function<void(frmAbout&)>>{
             [](frmAbout& box) { box.cmdOK->click(); }, [](frmAbout& box) { QTest::keyClick(&box, Qt::Key_Return); },
             [](frmAbout& box) { QTest::keyClick(&box, Qt::Key_Escape); }}) {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        close(about);
        QVERIFY(!about.isVisible());
    }
}

void tst_dialogs::aboutPictureStandsOnTheDialogsOwnColour()
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(0x20, 0x20, 0x24));
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        // The icon's corners are transparent: what shows there is the box behind it.
        const QImage picture = about.grab(about.picIcon->geometry()).toImage();
        QCOMPARE(picture.pixelColor(0, 0), dark.color(QPalette::Window));
    }
    QApplication::setPalette(light);
}

void tst_dialogs::helpAboutOpensAFreshModalBox()
{
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int showing = 0; showing < 2; ++showing) {
        QString title;
        QString version;
        bool modal = false;
        QTimer::singleShot(50, [&] {
            auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            if (!about)
                return;
            modal = about->isModal() && about->parentWidget() == &window;
            title = about->lblTitle->text();
            version = about->lblVersion->text();
            about->lblVersion->setText("changed"); // must not survive into the next showing
            about->cmdOK->click();
        });
        window.findChild<QAction*>("mnuHelpAbout")->trigger();
        QVERIFY(modal);
        QCOMPARE(title, QStringLiteral("BORVELIN"));
        QCOMPARE(version, QStringLiteral("Version 1.0.1"));
    }
}

void tst_dialogs::getKeyValueReadsTextAndNumbers()
{
    writeRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n"
                  "\"Text\"=\"C:\\\\Tools\\\\tool.exe\"\n"
                  "\"Small\"=dword:0000001f\n"
                  "\"Large\"=dword:ffffffff\n"
                  "\"Binary\"=hex:01,02\n"
                  "\"Huge\"=\"" +
                  QByteArray(1100, 'x') + "\"\n");
    frmAbout about;
    const Registry::HKEY root = Registry::HKEY_LOCAL_MACHINE;
    QString value = "as passed";
    QVERIFY(about.GetKeyValue(root, "SOFTWARE\\Test", "Text", value));
    QCOMPARE(value, QStringLiteral("C:\\Tools\\tool.exe"));
    QVERIFY(about.GetKeyValue(root, "software\\test", "SMALL", value)); // names ignore case
    QCOMPARE(value, QStringLiteral("31"));
    QVERIFY(about.GetKeyValue(root, "SOFTWARE\\Test", "Large", value));
    QCOMPARE(value, QStringLiteral("4294967295"));
    value = "as passed";
    QVERIFY(about.GetKeyValue(root, "SOFTWARE\\Test", "Binary", value));
    QCOMPARE(value, QStringLiteral("as passed"));
    QVERIFY(!about.GetKeyValue(root, "SOFTWARE\\Test", "Huge", value)); // larger than the buffer
    QCOMPARE(value, QString());
    value = "as passed";
    QVERIFY(!about.GetKeyValue(root, "SOFTWARE\\Test", "Missing", value));
    QCOMPARE(value, QString());
    value = "as passed";
    QVERIFY(!about.GetKeyValue(root, "SOFTWARE\\Nowhere", "Text", value));
    QCOMPARE(value, QString());
}

void tst_dialogs::sysInfoWithoutRegistryValuesShowsTheMessage()
{
    frmAbout about;
    about.show();
    MessageBoxCatcher box;
    about.cmdSysInfo->click();
    QCOMPARE(box.count, 1);
    QCOMPARE(box.text, QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(box.title, QStringLiteral("BORVELIN"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(about.isVisible());
}

void tst_dialogs::sysInfoStartsTheFirstValueUnchecked()
{
    const QString program = markingProgram(workDir_->filePath("sysinfo.sh"));
    writeRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n\"PATH\"=\"" +
                  program.toLocal8Bit() + "\"\n");
    frmAbout about;
    about.show();
    {
        MessageBoxCatcher box;
        about.StartSysInfo();
        QTRY_VERIFY(QFile::exists(workDir_->filePath("started")));
        QCOMPARE(box.count, 0);
        QVERIFY(about.isVisible());
    }
    // A path that cannot be started: the message, and the box stays open.
    writeRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n\"PATH\"=\"" +
                  workDir_->filePath("no-such-tool").toLocal8Bit() + "\"\n");
    MessageBoxCatcher box;
    about.StartSysInfo();
    QCOMPARE(box.count, 1);
    QCOMPARE(box.text, frmAbout::SysInfoUnavailable);
    QVERIFY(about.isVisible());
}

void tst_dialogs::sysInfoFirstValueOfAnotherTypeFails()
{
    writeRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n\"PATH\"=hex:2f,62,69,6e\n");
    frmAbout about;
    QString path = "unchanged";
    QVERIFY(about.GetKeyValue(Registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path));
    QCOMPARE(path, QStringLiteral("unchanged"));
    MessageBoxCatcher box;
    about.StartSysInfo();
    QCOMPARE(box.count, 1);
}

void tst_dialogs::sysInfoLooksForMsinfo32InTheSecondFolder()
{
    writeRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n\"MSINFO\"=\"" +
                  workDir_->path().toLocal8Bit() + "\"\n");
    frmAbout about;
    {
        MessageBoxCatcher box;
        about.StartSysInfo();
        QCOMPARE(box.count, 1);
        QVERIFY(!QFile::exists(workDir_->filePath("started")));
    }
    markingProgram(workDir_->filePath("MSINFO32.EXE"));
    MessageBoxCatcher box;
    about.StartSysInfo();
    QTRY_VERIFY(QFile::exists(workDir_->filePath("started")));
    QCOMPARE(box.count, 0);
}

// An ordinary Windows user may read HKEY_LOCAL_MACHINE but not write it: System Info
// works for them all the same.
void tst_dialogs::sysInfoReadsAKeyThatAllowsReadingOnly()
{
#ifdef Q_OS_WIN
    const QByteArray key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const QString program = markingProgram(workDir_->filePath("sysinfo.exe"));
    writeRegistry("[HKEY_LOCAL_MACHINE\\" + key + "]\n\"PATH\"=\"" + program.toLocal8Bit() + "\"\n");
    QVERIFY(test::ScratchRegistry::allowReadingOnly(key));
    constexpr Registry::DWORD AllAccess = 0xF003F; // KEY_ALL_ACCESS
    constexpr Registry::LONG AccessDenied = 5;
    Registry::HKEY handle = 0;
    QCOMPARE(Registry::RegOpenKeyEx(Registry::HKEY_LOCAL_MACHINE, key, 0, AllAccess, &handle), AccessDenied);
    frmAbout about;
    MessageBoxCatcher box;
    about.StartSysInfo();
    QTRY_VERIFY(QFile::exists(workDir_->filePath("started")));
    QCOMPARE(box.count, 0);
#else
    QSKIP("the registry's access rights are Windows' own");
#endif
}

void tst_dialogs::tipOptionMissingTicksAndStoresOne()
{
    frmTip tip;
    QVERIFY(!tip.closedWhileLoading());
    QVERIFY(tip.chkLoadTipsAtStartup->isChecked());
    QCOMPARE(option(), QStringLiteral("1"));
    QCOMPARE(tip.windowTitle(), QStringLiteral("Tip of the Day"));
    QCOMPARE(tip.Label1->text(), QStringLiteral("Did you know..."));
    QCOMPARE(tip.cmdNextTip->text(), QStringLiteral("&Next Tip"));
    QCOMPARE(tip.chkLoadTipsAtStartup->text(), QStringLiteral("&Show Tips at Startup"));
    QCOMPARE(tip.size(), QSize(Twips::toPixelsX(tip, 5415), Twips::toPixelsY(tip, 3285)));
    QCOMPARE(tip.cmdOK->geometry().topLeft(), QPoint(Twips::toPixelsX(tip, 4080), Twips::toPixelsY(tip, 120)));
    QVERIFY(tip.cmdOK->isDefault());
}

void tst_dialogs::tipOptionZeroClosesTheWindowWhileLoading()
{
    setOption("0");
    frmTip tip;
    QVERIFY(tip.closedWhileLoading());
    tip.show();
    QVERIFY(!tip.isVisible());
    QCOMPARE(option(), QStringLiteral("0"));
}

void tst_dialogs::tipOptionNotANumberCountsAsOne()
{
    setOption("sometimes");
    frmTip tip;
    QVERIFY(!tip.closedWhileLoading());
    QCOMPARE(option(), QStringLiteral("1"));
}

void tst_dialogs::tipCheckBoxStoresTheOptionAtOnce()
{
    frmTip tip;
    tip.show();
    QTest::mouseClick(tip.chkLoadTipsAtStartup, Qt::LeftButton);
    QCOMPARE(option(), QStringLiteral("0"));
    QTest::mouseClick(tip.chkLoadTipsAtStartup, Qt::LeftButton);
    QCOMPARE(option(), QStringLiteral("1"));
}

void tst_dialogs::tipsAreDrawnAtRandomWithRepeats()
{
    writeText(tipFile(), "First tip\r\nSecond tip\r\nThird tip\r\n");
    frmTip tip;
    QCOMPARE(tip.TipList, QStringList({"First tip", "Second tip", "Third tip"}));
    QSet<QString> seen;
    bool repeated = false;
    QString previous = tip.lblTipText->text();
    for (int press = 0; press < 100; ++press) {
        tip.cmdNextTip->click();
        const QString shown = tip.lblTipText->text();
        QVERIFY2(tip.TipList.contains(shown), qPrintable(shown));
        repeated = repeated || shown == previous;
        seen.insert(shown);
        previous = shown;
    }
    QCOMPARE(seen.size(), 3);
    QVERIFY(repeated);
}

void tst_dialogs::emptyLineIsATipOfItsOwn()
{
    writeText(tipFile(), "Only tip\r\n\r\n");
    frmTip tip;
    QCOMPARE(tip.TipList, QStringList({"Only tip", ""}));
    bool sawEmpty = false;
    for (int press = 0; press < 100 && !sawEmpty; ++press) {
        tip.cmdNextTip->click();
        sawEmpty = tip.lblTipText->text().isEmpty();
    }
    QVERIFY(sawEmpty);
}

void tst_dialogs::missingTipFileExplainsWhatToDo()
{
    frmTip tip;
    const QString expected =
        "That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT "
        "using NotePad with 1 tip per line. Then place it in the same directory as the application. ";
    QCOMPARE(tip.lblTipText->text(), expected);
    tip.cmdNextTip->click();
    QCOMPARE(tip.lblTipText->text(), expected);
    QVERIFY(!tip.LoadTips(QString()));
    writeText(workDir_->filePath(".hidden-tips"), "a tip\n");
    QVERIFY(!tip.LoadTips(workDir_->filePath(".hidden-tips")));
}

void tst_dialogs::tipFileIsLookedForBesideTheProgram()
{
    writeText(tipFile(), "Beside the program\n");
    writeText(workDir_->filePath("TIPOFDAY.TXT"), "In the current directory\n");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workDir_->path());
    frmTip tip;
    QDir::setCurrent(previous);
    QCOMPARE(tip.lblTipText->text(), QStringLiteral("Beside the program"));
}

void tst_dialogs::closingTheMainWindowClosesTheOthersNewestFirst()
{
    frmMain window;
    window.show();
    frmTip tip(&window);
    tip.setWindowFlag(Qt::Window);
    tip.show();
    frmAbout about(&window);
    about.show();
    HideRecorder recorder;
    for (QWidget* form : QList<QWidget*>{&window, &tip, &about})
        form->installEventFilter(&recorder);
    window.close();
    QCOMPARE(recorder.hidden, QStringList({"frmAbout", "frmTip", "frmMain"}));
    QVERIFY(QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").contains("Settings/MainLeft"));
}

void tst_dialogs::okCancelDialogDoesNothing()
{
    Dialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog Caption"));
    QCOMPARE(dialog.OKButton->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.CancelButton->text(), QStringLiteral("Cancel"));
    dialog.show();
    dialog.OKButton->click();
    dialog.CancelButton->click();
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
