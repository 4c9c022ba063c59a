// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmGuide.h"
#include "forms/AppIcon.h"
#include "forms/Forms.h"
#include "forms/Twips.h"
#include "shell/CallFinder.h"
#include "shell/JobReport.h"
#include "shell/JobRunner.h"
#include "shell/Module1.h"
#include "shell/StatusBar.h"
#include "shell/WindowPlacement.h"
#include "shell/frmMain.h"
#include "support/MessageBoxCatcher.h"
#include "support/WindowTestFiles.h"
#include "support/WindowTestSetup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using test::listLines;
using test::readBytes;
using test::writeBytes;

// Records the text panel 1 shows each time it is painted.
class PaintRecorder : public QObject {
public:
    QStringList painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted << static_cast<QLabel*>(watched)->text();
        return false;
    }
};

// Where the window system puts a window whose frame is asked to be `frame`, as the main
// window asks: Windows moves a window whose top lies above the screen, as a maximized
// window's does, in from the left by its border.
QRect placedByThePlatform(const QRect& frame)
{
    QWidget probe;
    probe.move(frame.topLeft());
    probe.resize(frame.size());
    probe.show();
    if (!QTest::qWaitForWindowExposed(&probe))
        qWarning("probe window not exposed");
    probe.resize(frame.size() - (probe.frameGeometry().size() - probe.geometry().size()));
    return probe.frameGeometry();
}

} // namespace

class tst_frmMain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpShowsOnlyTheMainWindow();
    void menusStandAsDesigned();
    void statusBarsHaveTheirPanels();
    void panel4TakesTheRest();
    void clickOnAnyPanelResetsAllFour();
    void firstRunUsesTheDefaultPlacement();
    void storedPlacementIsAppliedAndSaved();
    void unreadablePlacementValueFallsBackToItsDefault();
    void placementOffEveryScreenFallsBackToDefaults();
    void closingMinimizedSavesNothing();
    void closingMaximizedSavesTheMaximizedBounds();
    void exitClosesAndSaves();
    void helpCommandsOpenTheGuide();
    void menuRunsAJobAndShowsItsPanels();
    void windowKeepsItsSizeThroughAJob();
    void exchangeCommandsWriteTheirFiles();
    void importAsksBeforeReplacingTheListAndUndoPutsItBack();
    void historyOfSeveralListsIsExportedAndShownByTheFind();
    void failingJobReportsAndKeepsTheOldOutput();
    void list25CountsAfreshEveryRun();
    void checkListWritesItsFindingsAndShowsTheirCounts();
    void panel1IsPaintedDuringTheJob();
    void panelsHoldTheirLongestTextsAtAnyFont();
    void escapeStopsTheJobAndChangesNoFile();
    void closeBoxStopsTheJobThenCloses();
    void keysPressedDuringAJobDoNotActAfterIt();
    void iconsAreTheInstalledOnesInEverySize();

private:
    std::unique_ptr<frmMain> openMainWindow();
    QAction* action(frmMain& window, const char* name);
    int px(frmMain& window, double twips) { return Twips::toPixelsX(window, twips); }
    // Calls `act` once, as soon as the window's job has shown its first progress.
    void whenTheJobHasBegun(frmMain& window, std::function<void()> act);
    void writeEarlierOutputs();
    void expectEarlierOutputs();
    int pyx(frmMain& window, double twips) { return Twips::toPixelsY(window, twips); }

    test::WindowTestSetup setup_;
};

void tst_frmMain::initTestCase()
{
    setup_.isolate();
}

void tst_frmMain::init()
{
    setup_.enterFreshFolder();
}

void tst_frmMain::cleanup()
{
    setup_.leaveFolder();
}

std::unique_ptr<frmMain> tst_frmMain::openMainWindow()
{
    return test::WindowTestSetup::openMainWindow();
}

QAction* tst_frmMain::action(frmMain& window, const char* name)
{
    auto* found = window.findChild<QAction*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no action %s", name);
    return found;
}

void tst_frmMain::startUpShowsOnlyTheMainWindow()
{
    Module1::Main();
    const std::unique_ptr<frmMain> owner(Module1::MainForm);
    QVERIFY(QTest::qWaitForWindowExposed(Module1::MainForm));
    QCOMPARE(Forms::open(), QList<QWidget*>{Module1::MainForm});
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            shown << widget;
    QCOMPARE(shown, QWidgetList{Module1::MainForm});
}

void tst_frmMain::menusStandAsDesigned()
{
    const auto window = openMainWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("BORVELIN"));
    const QList<QAction*> menus = window->menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
    QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("mnuFile"));
    QCOMPARE(menus[1]->text(), QStringLiteral("&Edit"));
    QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("mnuEdit"));
    QCOMPARE(menus[2]->text(), QStringLiteral("&Help"));
    QCOMPARE(menus[2]->menu()->objectName(), QStringLiteral("mnuHelp"));

    struct Item {
        QString name;
        QString caption; // empty for a separator, or for a recent folder not yet used
        QKeySequence shortcut = {};
        bool enabled = true; // in a folder without a list
    };
    const QList<Item> fileItems = {{"mnuFileOpenFolder", "&Open Folder...", QKeySequence::Open},
                                   {"mnuFileRecent1", ""},
                                   {"mnuFileRecent2", ""},
                                   {"mnuFileRecent3", ""},
                                   {"mnuFileRecent4", ""},
                                   {"mnuFileSaveList", "&Save List", QKeySequence(Qt::CTRL | Qt::Key_S), false},
                                   {"mnuFileBarFolder", ""},
                                   {"mnuFileFull2TXT", "Convert &FUL to TXT"},
                                   {"mnuFileTXT2FUL", "Convert &TXT to FUL"},
                                   {"mnuFileBar0", ""},
                                   {"mnuFileQSL_Buro_list", "QSL &Buro list"},
                                   {"mnuFileList25", "&List of 25+"},
                                   {"mnuFileCheckList", "&Check List"},
                                   {"mnuFileBar2", ""},
                                   {"mnuFileImport", "&Import Manager List..."},
                                   {"mnuFileFillQslVia", "Fill QSL &Via in Log..."},
                                   {"mnuFileCluster", "&Export for DX Cluster"},
                                   {"mnuFileExportHistory", "Export &History..."},
                                   {"mnuFileBar1", ""},
                                   {"mnuFileExit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    const QList<Item> editItems = {
        {"mnuEditUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), false},
        {"mnuEditRedo", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y), false},
        {"mnuEditBar0", ""},
        {"mnuEditNewStation", "&New Station...", QKeySequence(Qt::CTRL | Qt::Key_N), false},
        {"mnuEditEditStation", "&Edit Station...", QKeySequence(Qt::CTRL | Qt::Key_E), false},
        {"mnuEditDeleteStation", "&Delete Station", QKeySequence(Qt::Key_Delete), false},
        {"mnuEditBar1", ""},
        {"mnuEditFindCall", "&Find Call", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"mnuEditShowList", "Show &List", QKeySequence(Qt::CTRL | Qt::Key_L)}};
    const QList<Item> helpItems = {{"mnuHelpUserGuide", "User &Guide", QKeySequence(Qt::Key_F1)},
                                   {"mnuHelpContents", "&Contents"},
                                   {"mnuHelpSearchForHelpOn", "&Search For Help On..."},
                                   {"mnuHelpBar0", ""},
                                   {"mnuHelpAbout", "&About "}};
    QSet<QChar> menuKeys;
    for (QAction* menu : menus) {
        const QChar key = menu->text().at(menu->text().indexOf(QLatin1Char('&')) + 1).toUpper();
        QVERIFY2(!menuKeys.contains(key), qPrintable(menu->text()));
        menuKeys.insert(key);
    }
    for (const auto& [menu, items] : {qMakePair(menus[0]->menu(), fileItems), qMakePair(menus[1]->menu(), editItems),
                                      qMakePair(menus[2]->menu(), helpItems)}) {
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), items.size());
        QSet<QChar> accessKeys;
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(actions[i]->objectName(), items[i].name);
            const bool recentFolder = items[i].name.startsWith(QStringLiteral("mnuFileRecent"));
            QCOMPARE(actions[i]->isSeparator(), items[i].caption.isEmpty() && !recentFolder);
            QCOMPARE(actions[i]->isVisible(), !recentFolder); // no folder used yet
            if (actions[i]->isSeparator() || recentFolder)
                continue;
            QCOMPARE(actions[i]->text(), items[i].caption);
            QCOMPARE(actions[i]->shortcut(), items[i].shortcut);
            QCOMPARE(actions[i]->isEnabled(), items[i].enabled);
            const QChar key = items[i].caption.at(items[i].caption.indexOf(QLatin1Char('&')) + 1).toUpper();
            QVERIFY2(!accessKeys.contains(key), qPrintable(items[i].caption));
            accessKeys.insert(key);
        }
    }
}

void tst_frmMain::statusBarsHaveTheirPanels()
{
    const auto window = openMainWindow();
    StatusBar* bar2 = window->findChild<StatusBar*>(QStringLiteral("StatusBar2"));
    StatusBar* bar1 = window->findChild<StatusBar*>(QStringLiteral("StatusBar1"));
    QVERIFY(bar1 && bar2);
    QCOMPARE(bar2->panelCount(), 4);
    QCOMPARE(bar2->panelText(1), QStringLiteral("Records:"));
    QCOMPARE(bar2->panelText(2), QStringLiteral("From:"));
    QCOMPARE(bar2->panelText(3), QStringLiteral("To:"));
    QCOMPARE(bar2->panelText(4), QStringLiteral("Current Dir:"));
    QCOMPARE(bar1->panelCount(), 6);
    for (int i = 1; i <= 6; ++i)
        QVERIFY(bar1->panelText(i).isEmpty());

    QCOMPARE(bar2->height(), pyx(*window, 270));
    QCOMPARE(bar1->height(), pyx(*window, 30));
    QWidget* client = window->centralWidget();
    QCOMPARE(bar1->geometry().bottom(), client->height() - 1);
    QCOMPARE(bar2->geometry().bottom() + 1, bar1->geometry().top());
    QCOMPARE(bar2->width(), client->width());
    for (int i = 1; i <= 3; ++i)
        QVERIFY(bar2->panelRect(i).width() >= px(*window, 1440));
    QCOMPARE(bar2->panelRect(4).right(), bar2->width() - 1);
}

void tst_frmMain::panel4TakesTheRest()
{
    const auto window = openMainWindow();
    StatusBar* bar2 = window->StatusBar2;
    const int fixedPanels = bar2->panelRect(1).width() + bar2->panelRect(2).width() + bar2->panelRect(3).width();
    window->resize(px(*window, 12000), window->height());
    QTRY_COMPARE(bar2->width(), window->centralWidget()->width());
    QCOMPARE(bar2->panelRect(4).width(), bar2->width() - fixedPanels);
    window->resize(px(*window, 3000), window->height());
    QTRY_COMPARE(bar2->width(), window->width());
    QCOMPARE(bar2->panelRect(4).width(), std::max(0, bar2->width() - fixedPanels));
    QCOMPARE(bar2->panelRect(1).width() + bar2->panelRect(2).width() + bar2->panelRect(3).width(), fixedPanels);
}

void tst_frmMain::clickOnAnyPanelResetsAllFour()
{
    writeBytes(QStringLiteral("QSL.TXT"), listLines(3));
    const auto window = openMainWindow();
    for (int clicked = 1; clicked <= 4; ++clicked) {
        action(*window, "mnuFileTXT2FUL")->trigger();
        QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: QSL.FUL"));
        QTest::mouseClick(window->StatusBar2, Qt::LeftButton, {}, window->StatusBar2->panelRect(clicked).center());
        QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Records: "));
        QCOMPARE(window->StatusBar2->panelText(2), QStringLiteral("From: "));
        QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: "));
        QCOMPARE(window->StatusBar2->panelText(4), QStringLiteral("Current Dir: "));
    }
}

void tst_frmMain::firstRunUsesTheDefaultPlacement()
{
    const auto window = openMainWindow();
    const QRect frame = window->frameGeometry();
    QCOMPARE(frame.topLeft(), QPoint(px(*window, 1000), pyx(*window, 1000)));
    QCOMPARE(frame.size(), QSize(px(*window, 6500), pyx(*window, 6500)));
}

void tst_frmMain::storedPlacementIsAppliedAndSaved()
{
    WindowPlacement stored;
    stored.MainLeft = 1500;
    stored.MainTop = 1200;
    stored.MainWidth = 9000;
    stored.MainHeight = 7005;
    stored.save();
    {
        const auto window = openMainWindow();
        const QRect frame = window->frameGeometry();
        QCOMPARE(frame.topLeft(), QPoint(px(*window, 1500), pyx(*window, 1200)));
        QCOMPARE(frame.size(), QSize(px(*window, 9000), pyx(*window, 7005)));
        window->move(window->pos() + QPoint(30, 45));
        window->close();
    }
    const WindowPlacement saved = WindowPlacement::load();
    const auto window = std::make_unique<frmMain>(); // only for its DPI
    QCOMPARE(qRound(saved.MainLeft), qRound(Twips::fromPixelsX(*window, px(*window, 1500) + 30)));
    QCOMPARE(qRound(saved.MainTop), qRound(Twips::fromPixelsY(*window, pyx(*window, 1200) + 45)));
    QCOMPARE(qRound(saved.MainWidth), qRound(Twips::fromPixelsX(*window, px(*window, 9000))));
    // Whole numbers are stored without a fraction.
    const QString text = QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").value("Settings/MainWidth").toString();
    QCOMPARE(text, WindowPlacement::toText(saved.MainWidth));
    QVERIFY(!text.contains(QLatin1Char('e')));
}

void tst_frmMain::unreadablePlacementValueFallsBackToItsDefault()
{
    QSettings settings(QSettings::UserScope, "BORVELIN", "BORVELIN");
    settings.setValue("Settings/MainLeft", "left of centre");
    settings.setValue("Settings/MainTop", "1500");
    settings.setValue("Settings/MainWidth", "");
    settings.setValue("Settings/MainHeight", "8000");
    settings.sync();
    const auto window = openMainWindow();
    const QRect frame = window->frameGeometry();
    QCOMPARE(frame.topLeft(), QPoint(px(*window, 1000), pyx(*window, 1500)));
    QCOMPARE(frame.size(), QSize(px(*window, 6500), pyx(*window, 8000)));
}

void tst_frmMain::placementOffEveryScreenFallsBackToDefaults()
{
    WindowPlacement stored;
    stored.MainLeft = -900000;
    stored.MainTop = 2000;
    stored.save();
    const auto window = openMainWindow();
    QCOMPARE(window->frameGeometry().topLeft(), QPoint(px(*window, 1000), pyx(*window, 1000)));
}

void tst_frmMain::closingMinimizedSavesNothing()
{
    const auto window = openMainWindow();
    window->setWindowState(Qt::WindowMinimized);
    window->close();
    QVERIFY(!QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").contains("Settings/MainLeft"));
}

void tst_frmMain::closingMaximizedSavesTheMaximizedBounds()
{
    QRect maximized;
    {
        const auto window = openMainWindow();
        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        if (!QTest::qWaitFor([&] { return window->frameGeometry().width() > px(*window, 6500); }, 2000))
            QSKIP("this window system does not maximize windows (X11 without a window manager)");
        maximized = window->frameGeometry();
        window->close();
    }
    const auto window = openMainWindow();
    QVERIFY(!window->isMaximized());
    QCOMPARE(window->frameGeometry(), placedByThePlatform(maximized));
}

void tst_frmMain::exitClosesAndSaves()
{
    const auto window = openMainWindow();
    action(*window, "mnuFileExit")->trigger();
    QVERIFY(!window->isVisible());
    QVERIFY(QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").contains("Settings/MainHeight"));
}

// The program has a guide: Contents opens it, Search For Help On opens it ready to search.
void tst_frmMain::helpCommandsOpenTheGuide()
{
    const auto window = openMainWindow();
    MessageBoxCatcher box;
    action(*window, "mnuHelpContents")->trigger();
    auto* guide = window->findChild<frmGuide*>();
    QVERIFY(guide && guide->isVisible());
    QVERIFY(guide->txtGuide->toPlainText().contains(QStringLiteral("Check List")));
    guide->close();
    QTRY_VERIFY(!window->findChild<frmGuide*>());

    action(*window, "mnuHelpSearchForHelpOn")->trigger();
    guide = window->findChild<frmGuide*>();
    QVERIFY(guide && guide->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), guide->txtSearch);
    QTest::keyClicks(guide->txtSearch, QStringLiteral("NOT LONGER"));
    QTest::keyClick(guide->txtSearch, Qt::Key_Return);
    QCOMPARE(guide->txtGuide->textCursor().selectedText(), QStringLiteral("NOT LONGER"));
    QCOMPARE(box.count, 0);
}

void tst_frmMain::menuRunsAJobAndShowsItsPanels()
{
    writeBytes(QStringLiteral("QSL.TXT"),
               "XYZLAND      QSL Bureau, P.O. Box 9, Capital City\r\nQ1ABC        QSL via Q2MGR\r\nshort\r\n");
    const auto window = openMainWindow();
    action(*window, "mnuFileQSL_Buro_list")->trigger();
    QCOMPARE(readBytes(QStringLiteral("QSLADM.TXT")),
             QByteArray("XYZLAND      QSL Bureau, P.O. Box 9, Capital City\r\n \r\n"));
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Records: 3"));
    QCOMPARE(window->StatusBar2->panelText(2), QStringLiteral("From: QSL.TXT"));
    QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: QSLADM.TXT"));
    QCOMPARE(window->StatusBar2->panelText(4), "Current Dir: " + QDir::toNativeSeparators(QDir::currentPath()));

    action(*window, "mnuFileTXT2FUL")->trigger();
    action(*window, "mnuFileFull2TXT")->trigger();
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Records: 2"));
    QCOMPARE(window->StatusBar2->panelText(2), QStringLiteral("From: QSL.FUL"));
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")),
             QByteArray("XYZLAND      QSL Bureau, P.O. Box 9, Capital City\r\nQ1ABC        QSL via Q2MGR\r\n"));
    QCOMPARE(readBytes(QStringLiteral("QSL.BAK")), QByteArray("XYZLAND      QSL Bureau, P.O. Box 9, Capital "
                                                              "City\r\nQ1ABC        QSL via Q2MGR\r\nshort\r\n"));
}

// What a job shows while it runs (the bar and Cancel) and after it (the report, the
// panels' texts) fits the window at its designed size: the window does not grow.
void tst_frmMain::windowKeepsItsSizeThroughAJob()
{
    writeEarlierOutputs(); // a list long enough to be seen running
    const auto window = openMainWindow();
    const QSize before = window->frameGeometry().size();
    QSize during;
    whenTheJobHasBegun(*window, [&] { during = window->frameGeometry().size(); });
    action(*window, "mnuFileList25")->trigger();
    QVERIFY2(during.isValid(), "the job ended before it was seen running");
    QCOMPARE(during, before);
    QCOMPARE(window->frameGeometry().size(), before);
}

// Import and Fill QSL Via as their file dialogs hand over the chosen file; the cluster
// export from its menu item.
void tst_frmMain::exchangeCommandsWriteTheirFiles()
{
    writeBytes(QStringLiteral("QSL.TXT"), "Q1ABC        QSL via Q2MGR \r\n");
    writeBytes(QStringLiteral("rows.csv"), "CALL;MANAGER;DATE\nQ5XYZ;Q6MGR;2024-05\nQ1ABC;Q7NEW;2024-06\n");
    writeBytes(QStringLiteral("LOG.adi"), "<CALL:5>Q5XYZ<EOR>\n");
    const auto window = openMainWindow();
    QVERIFY(action(*window, "mnuFileImport") && action(*window, "mnuFileFillQslVia"));
    window->importManagerList(QDir::current().filePath(QStringLiteral("rows.csv")), true);
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")),
             QByteArray("Q1ABC        QSL via Q2MGR \r\nQ5XYZ        QSL via Q6MGR \r\n"));
    QCOMPARE(readBytes(QStringLiteral("BORVELIN.LOG")).count('\n'), 3); // Q1ABC's other manager
    QVERIFY2(window->Report->reportText().startsWith(QStringLiteral("Import Manager List: 3 lines read")),
             qPrintable(window->Report->reportText()));
    window->fillQslVia(QStringLiteral("LOG.adi"));
    QCOMPARE(readBytes(QStringLiteral("LOG.adi")), QByteArray("<CALL:5>Q5XYZ<QSL_VIA:5>Q6MGR<EOR>\n"));
    QCOMPARE(readBytes(QStringLiteral("LOG.adi.bak")), QByteArray("<CALL:5>Q5XYZ<EOR>\n"));
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Records: 1"));
    action(*window, "mnuFileCluster")->trigger();
    QCOMPARE(
        readBytes(QStringLiteral("QSLCLU.FUL")),
        QByteArray("Q1ABC\r\nQ1ABC        QSL via Q2MGR \r\n&&\r\nQ5XYZ\r\nQ5XYZ        QSL via Q6MGR \r\n&&\r\n"));
    QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: QSLCLU.FUL"));
}

// Answers Import's questions as they show: picks `file` in the file dialog, notes whether
// Merge was ticked in the box that follows and ticks it as asked, then answers the
// question that may follow with `answer`.
class ImportAnswers : public QObject {
public:
    ImportAnswers(QString file, bool merge, QMessageBox::StandardButton answer)
        : file_(std::move(file)), merge_(merge), answer_(answer)
    {
        connect(&timer_, &QTimer::timeout, this, &ImportAnswers::answer);
        timer_.start(10);
    }

    bool mergeWasTicked = false;
    bool systemDialog = false;
    QString question;

private:
    void answer()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible())
                continue;
            if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
                // As the user types it: the dialog takes it whether or not it has read the folder yet.
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (!name) { // the system's own dialog, which takes no input from here
                    systemDialog = true;
                    static_cast<QDialog*>(dialog)->reject();
                    return;
                }
                name->setText(file_);
                static_cast<QDialog*>(dialog)->accept();
            } else if (auto* mergeBox = qobject_cast<QMessageBox*>(widget);
                       mergeBox && mergeBox->objectName() == QStringLiteral("frmImportMerge")) {
                auto* merge = mergeBox->findChild<QCheckBox*>(QStringLiteral("chkMerge"));
                QVERIFY(merge);
                mergeWasTicked = merge->isChecked();
                merge->setChecked(merge_);
                for (QAbstractButton* button : mergeBox->buttons())
                    if (mergeBox->buttonRole(button) == QMessageBox::AcceptRole)
                        button->click();
            } else if (auto* box = qobject_cast<QMessageBox*>(widget)) {
                QCOMPARE(box->objectName(), QStringLiteral("msgReplaceList"));
                QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
                question = box->text();
                box->button(answer_)->click();
            }
        }
    }

    QString file_;
    bool merge_;
    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

// With a list there, the question after the file dialog ticks Merge; replacing the list
// asks first, naming it and its lines. Replaced, the report says where the old list went, and Undo puts it back,
// with the history the import replaced beside it.
void tst_frmMain::importAsksBeforeReplacingTheListAndUndoPutsItBack()
{
    const QByteArray list = listLines(500);
    const QByteArray history = "Q1ABC;Q2OLD;2012-03;OLD.CSV\r\n";
    writeBytes(QStringLiteral("QSL.TXT"), list);
    writeBytes(QStringLiteral("QSLHIST.CSV"), history);
    writeBytes(QStringLiteral("rows.csv"), "Q5XYZ;Q6MGR;2024-05\n");
    const QString rows = QDir::current().filePath(QStringLiteral("rows.csv"));
    const auto window = openMainWindow();
    {
        ImportAnswers no(rows, false, QMessageBox::No);
        action(*window, "mnuFileImport")->trigger();
        if (no.systemDialog)
            QSKIP("the system's own file dialog takes no file name from a test");
        QVERIFY(no.mergeWasTicked);
        QCOMPARE(no.question, QStringLiteral("Replace the list %1 (500 lines) with the stations of %2?")
                                  .arg(QDir::toNativeSeparators(QDir::current().filePath(QStringLiteral("QSL.TXT"))),
                                       QDir::toNativeSeparators(rows)));
        QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), list);
    }
    {
        ImportAnswers yes(rows, false, QMessageBox::Yes);
        action(*window, "mnuFileImport")->trigger();
    }
    const QByteArray imported = readBytes(QStringLiteral("QSL.TXT"));
    QCOMPARE(imported, QByteArray("Q5XYZ        QSL via Q6MGR \r\n"));
    QCOMPARE(readBytes(QStringLiteral("QSL.BAK")), list);
    QVERIFY2(window->Report->reportText().contains(QStringLiteral("The old QSL.TXT is kept as QSL.BAK (in ") +
                                                   QDir::toNativeSeparators(QDir::currentPath()) + ")."),
             qPrintable(window->Report->reportText()));
    QVERIFY(window->Report->cmdUndo->isVisible());

    MessageBoxCatcher box;
    QTest::mouseClick(window->Report->cmdUndo, Qt::LeftButton);
    QCOMPARE(box.text, QString());
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), list);
    QCOMPARE(readBytes(QStringLiteral("QSL.BAK")), imported);
    QCOMPARE(readBytes(QStringLiteral("QSLHIST.CSV")), history);
    QVERIFY2(window->Report->reportText().startsWith(
                 QStringLiteral("Undo: QSL.TXT is the list from before the last command again. So is QSLHIST.CSV.")),
             qPrintable(window->Report->reportText()));
    QVERIFY(!window->Report->cmdUndo->isVisible());
    // The list the import replaced is kept too, as an older backup: nothing was lost.
    const QStringList older = QDir().entryList({QStringLiteral("QSL.*.BAK")}, QDir::Files);
    QCOMPARE(older.size(), 1);
    QCOMPARE(readBytes(older.front()), list);
}

// Two lists picked at once give one history, which Export History writes as another
// user imports it, and which the find field shows.
void tst_frmMain::historyOfSeveralListsIsExportedAndShownByTheFind()
{
    writeBytes(QStringLiteral("old.csv"), "Q1ABC;Q2OLD;2012-03\n");
    writeBytes(QStringLiteral("new.csv"), "Q1ABC;Q3NEW;2024-05\n");
    const auto window = openMainWindow();
    QVERIFY(action(*window, "mnuFileExportHistory"));
    window->importManagerLists(
        {QDir::current().filePath(QStringLiteral("new.csv")), QDir::current().filePath(QStringLiteral("old.csv"))},
        false);
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), QByteArray("Q1ABC        QSL via Q3NEW (Ex-Q2OLD)\r\n"));
    const QByteArray history = "Q1ABC;Q2OLD;2012-03;old.csv\r\nQ1ABC;Q3NEW;2024-05;new.csv\r\n";
    QCOMPARE(readBytes(QStringLiteral("QSLHIST.CSV")), history);
    window->exportHistory(QDir::current().filePath(QStringLiteral("shared.csv")));
    QCOMPARE(readBytes(QStringLiteral("shared.csv")), "CALL;MANAGER;DATE;SOURCE\r\n" + history);
    QVERIFY2(window->Report->reportText().startsWith(QStringLiteral("Export History: 2 lines read")),
             qPrintable(window->Report->reportText()));
    window->Finder->txtFind->setText(QStringLiteral("Q1ABC"));
    window->Finder->find();
    QTRY_VERIFY(window->Finder->answerShown().contains(QStringLiteral("2012-03     Q2OLD         old.csv")));
}

void tst_frmMain::failingJobReportsAndKeepsTheOldOutput()
{
    writeBytes(QStringLiteral("QSL.TXT"), "precious list\r\n");
    const auto window = openMainWindow();
    MessageBoxCatcher box;
    action(*window, "mnuFileFull2TXT")->trigger();
    QCOMPARE(box.count, 1);
    QCOMPARE(box.title, QStringLiteral("BORVELIN"));
    QVERIFY2(box.text.contains(QStringLiteral("53")) && box.text.contains(QStringLiteral("File not found")),
             qPrintable(box.text));
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), QByteArray("precious list\r\n"));
    QCOMPARE(window->StatusBar2->panelText(2), QStringLiteral("From:"));
    QVERIFY(window->isVisible());
    // The program goes on: the next command works.
    action(*window, "mnuFileTXT2FUL")->trigger();
    QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: QSL.FUL"));
}

void tst_frmMain::list25CountsAfreshEveryRun()
{
    QByteArray list;
    for (int i = 0; i < 25; ++i)
        list += "Q1ABC        QSL via Q2MGR\r\n";
    writeBytes(QStringLiteral("QSL.TXT"), list);
    const auto window = openMainWindow();
    action(*window, "mnuFileList25")->trigger();
    QCOMPARE(readBytes(QStringLiteral("QSLMGR.TXT")), QByteArray("Q2MGR\r\n"));
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Rec: 25 1"));
    action(*window, "mnuFileList25")->trigger();
    QCOMPARE(readBytes(QStringLiteral("QSLMGR.TXT")), QByteArray("Q2MGR\r\n"));
    QCOMPARE(readBytes(QStringLiteral("QSL.CSV")).count('\n'), 25);
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Rec: 25 1"));
    QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: QSLMGR.TXT"));
}

void tst_frmMain::checkListWritesItsFindingsAndShowsTheirCounts()
{
    writeBytes(QStringLiteral("QSL.TXT"), "Q1ABC        QSL via Q1ABC\r\nXYZLAND      QSL Bureau only\r\n");
    const auto window = openMainWindow();
    action(*window, "mnuFileCheckList")->trigger();
    QCOMPARE(readBytes(QStringLiteral("QSLCHK.CSV")).left(10), QByteArray("1;note;C8;"));
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Findings: C1 1, C8 1, C13 1"));
    QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: QSLCHK.CSV"));
    QVERIFY(!QFile::exists(QStringLiteral("BORVELIN.LOG")));
}

void tst_frmMain::panel1IsPaintedDuringTheJob()
{
    constexpr int Lines = 600000;
    writeBytes(QStringLiteral("QSL.TXT"), listLines(Lines));
    const auto window = openMainWindow();
    PaintRecorder recorder;
    QLabel* panel1 = window->StatusBar2->panelLabel(1);
    panel1->installEventFilter(&recorder);
    QElapsedTimer clock;
    clock.start();
    action(*window, "mnuFileTXT2FUL")->trigger();
    const qint64 elapsed = clock.elapsed();
    QTRY_COMPARE(recorder.painted.last(), QStringLiteral("Records: %1").arg(Lines));
    panel1->removeEventFilter(&recorder);

    QVERIFY2(recorder.painted.size() >= 2, "nothing painted while the job ran");
    QVERIFY2(recorder.painted.size() <= elapsed / JobRunner::ProgressIntervalMs + 3,
             qPrintable(QStringLiteral("%1 paints in %2 ms").arg(recorder.painted.size()).arg(elapsed)));
    int previous = 0;
    for (const QString& text : recorder.painted) {
        const int count = text.section(QLatin1Char(' '), 1).toInt();
        QVERIFY2(count >= previous, qPrintable(recorder.painted.join('|')));
        previous = count;
    }
}

void tst_frmMain::panelsHoldTheirLongestTextsAtAnyFont()
{
    const auto window = openMainWindow();
    StatusBar* bar2 = window->StatusBar2;
    for (const int pointSize : {9, 20}) {
        QFont font = bar2->font();
        font.setPointSize(pointSize);
        bar2->setFont(font);
        window->resize(px(*window, 3000), window->height()); // too narrow for all of them
        const std::pair<int, QString> texts[] = {
            {1, QStringLiteral("Records: 10000000")},  {1, QStringLiteral("Rec: 10000000 100000")},
            {1, QStringLiteral("MGR: 100000/100000")}, {2, QStringLiteral("From: QSL.TXT")},
            {3, QStringLiteral("To: QSLMGR.TXT")},
        };
        for (const auto& [panel, text] : texts) {
            bar2->setPanelText(panel, text);
            QLabel* label = bar2->panelLabel(panel);
            QVERIFY2(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(text) + label->indent(),
                     qPrintable(QStringLiteral("%1 at %2 pt").arg(text).arg(pointSize)));
        }
        // Current Dir takes what is left, here nothing, and shows its text as a tooltip.
        QCOMPARE(bar2->panelRect(4).left(), bar2->panelRect(3).right() + 1);
        QCOMPARE(bar2->panelRect(4).width(), std::max(0, bar2->width() - bar2->panelRect(4).left()));
    }
}

void tst_frmMain::whenTheJobHasBegun(frmMain& window, std::function<void()> act)
{
    auto* poll = new QTimer(&window);
    connect(poll, &QTimer::timeout, poll, [&window, poll, act] {
        if (!window.jobRunning() || !window.StatusBar2->panelText(1).startsWith(QStringLiteral("Re")))
            return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start(2);
}

void tst_frmMain::writeEarlierOutputs()
{
    // A long list of many managers, with lines List of 25+ logs all through it.
    QByteArray list;
    for (int manager = 0; manager < 160; ++manager)
        list += "XYZLAND      QSL Bureau only\r\n" + listLines(5000, "Q" + QByteArray::number(manager) + "MGR");
    writeBytes(QStringLiteral("QSL.TXT"), list);
    writeBytes(QStringLiteral("QSL.CSV"), "earlier records\r\n");
    writeBytes(QStringLiteral("QSLMGR.TXT"), "Q9OLD\r\n");
    writeBytes(QStringLiteral("BORVELIN.LOG"), "earlier entries\r\n");
}

void tst_frmMain::expectEarlierOutputs()
{
    QCOMPARE(readBytes(QStringLiteral("QSL.CSV")), QByteArray("earlier records\r\n"));
    QCOMPARE(readBytes(QStringLiteral("QSLMGR.TXT")), QByteArray("Q9OLD\r\n"));
    QCOMPARE(readBytes(QStringLiteral("BORVELIN.LOG")), QByteArray("earlier entries\r\n"));
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({"BORVELIN.LOG", "QSL.CSV", "QSL.TXT", "QSLMGR.TXT"}));
}

void tst_frmMain::escapeStopsTheJobAndChangesNoFile()
{
    writeEarlierOutputs();
    const auto window = openMainWindow();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QStringList enabledDuringJob;
    bool cancelShown = false;
    whenTheJobHasBegun(*window, [&] {
        for (QAction* item : window->findChildren<QAction*>())
            if (item->isEnabled() && item->objectName().startsWith(QStringLiteral("mnu")))
                enabledDuringJob << item->objectName();
        cancelShown = window->Report->cmdCancel->isVisible();
        QTest::keyClick(window.get(), Qt::Key_Escape);
    });
    MessageBoxCatcher box;
    action(*window, "mnuFileList25")->trigger();
    // Cancelled by the user, who knows it: no error box, and the report says so.
    QTest::qWait(50);
    QCOMPARE(box.count, 0);
    QCOMPARE(window->Report->reportText(), QStringLiteral("Cancelled: no file was changed"));
    QCOMPARE(enabledDuringJob, QStringList());
    QVERIFY(cancelShown);
    QVERIFY(!window->Report->cmdCancel->isVisible());
    QVERIFY(action(*window, "mnuFileList25")->isEnabled());
    expectEarlierOutputs();
    // The stop ended with the job: the find field looks a call up.
    QSignalSpy answered(window->Finder, &CallFinder::answered);
    window->Finder->txtFind->setText(QStringLiteral("Q0A0"));
    window->Finder->find();
    QVERIFY(answered.wait());
    QVERIFY2(window->Finder->answerShown().startsWith(QStringLiteral("Q0A0\n  line 2:")),
             qPrintable(window->Finder->answerShown()));
}

void tst_frmMain::closeBoxStopsTheJobThenCloses()
{
    writeEarlierOutputs();
    const auto window = openMainWindow();
    whenTheJobHasBegun(*window, [&] { window->close(); });
    MessageBoxCatcher box;
    action(*window, "mnuFileList25")->trigger();
    QVERIFY(!window->isVisible());
    QCOMPARE(box.count, 0);
    expectEarlierOutputs();
}

void tst_frmMain::keysPressedDuringAJobDoNotActAfterIt()
{
    // Lines of 20 bytes or fewer: a FUL to TXT run after the job would drop them.
    QByteArray list = listLines(400000);
    for (int i = 0; i < 100; ++i)
        list += "Q0HJ         PIRATE\r\n";
    writeBytes(QStringLiteral("QSL.TXT"), list);
    const auto window = openMainWindow();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // The job starts from the event loop; Alt+F, F (File > Convert FUL to TXT) comes in
    // right behind it, while the job runs.
    bool jobEnded = false;
    QTimer::singleShot(0, window.get(), [&] {
        action(*window, "mnuFileTXT2FUL")->trigger();
        jobEnded = true;
    });
    QTimer::singleShot(0, window.get(), [&] {
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        QWidget* menu = QApplication::activePopupWidget();
        QTest::keyClick(menu ? menu : window.get(), Qt::Key_F);
    });
    QTRY_VERIFY(jobEnded);
    QTest::qWait(100);
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), list);
    QCOMPARE(window->StatusBar2->panelText(2), QStringLiteral("From: QSL.TXT"));
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void tst_frmMain::iconsAreTheInstalledOnesInEverySize()
{
    // The hicolor folder of the source tree holds the PNGs that are installed.
    const QDir hicolor(QStringLiteral(BORVELIN_SOURCE_DIR "/data/icons/hicolor"));
    const QStringList folders = hicolor.entryList({QStringLiteral("*x*")}, QDir::Dirs);
    QVERIFY2(!folders.isEmpty(), qPrintable(hicolor.path()));
    auto installed = [&](const QString& folder) {
        return QImage(hicolor.filePath(folder + QStringLiteral("/apps/") + AppId + QStringLiteral(".png")))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied); // as a pixmap keeps it
    };
    const auto window = openMainWindow();
    const QIcon icon = window->windowIcon();
    QCOMPARE(icon.availableSizes().size(), folders.size());
    for (const QString& folder : folders) {
        const int size = folder.section(QLatin1Char('x'), 0, 0).toInt();
        const QImage file = installed(folder);
        QCOMPARE(file.size(), QSize(size, size));
        QVERIFY2(icon.availableSizes().contains(file.size()), qPrintable(folder));
        const QImage shown = icon.pixmap(file.size()).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(shown == file, qPrintable(folder));
    }
    const QImage picture = AppPicture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(picture == installed(QStringLiteral("32x32")));
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
