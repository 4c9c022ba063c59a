// SPDX-License-Identifier: GPL-3.0-or-later
// The rough edges a trial as a new user found, each mended: a report of the folder before,
// two controls named alike, a bar that stood still, a window larger than the screen,
// Cancel shown as a failure, no word on where to begin, Windows-1252 text garbled,
// reports that left things out, and a long panel text that pushed the others away.
// (Cancel is in tst_frmMain's escape test, the help commands in its guide test.)
#include "dialogs/frmStation.h"
#include "forms/Twips.h"
#include "shell/CallFinder.h"
#include "shell/JobReport.h"
#include "shell/ListModel.h"
#include "shell/ListPanel.h"
#include "shell/StatusBar.h"
#include "shell/WindowPlacement.h"
#include "shell/frmMain.h"
#include "support/MessageBoxCatcher.h"
#include "support/ModalAnswer.h"
#include "support/WindowTestFiles.h"
#include "support/WindowTestSetup.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTableView>
#include <QToolTip>
#include <QtTest>

#include <memory>

using test::listLines;
using test::readBytes;
using test::writeBytes;

class tst_roughEdges : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setup_.isolate(); }
    void init() { setup_.enterFreshFolder(); }
    void cleanup() { setup_.leaveFolder(); }

    void aNewFolderStartsWithACleanReport();
    void theFolderButtonIsShowInFileManager();
    void checkListsBarMovesThroughBothPasses();
    void aSavedWindowLargerThanTheScreenIsFitted();
    void theFirstStartSaysHowToBegin();
    void theExampleIsNeverCopiedBesideTheProgramNorOverAList();
    void windows1252IsShownAsSuchAndNeverTranscoded();
    void reportsLeaveNothingOut();
    void aLongPanelTextIsShortenedWithItsWholeTextAsTooltip();

private:
    QString makeFolder(const QString& name)
    {
        QDir().mkpath(setup_.workPath(name));
        return QDir(setup_.workPath(name)).canonicalPath();
    }
    static QAction* action(frmMain& window, const char* name)
    {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    }

    test::WindowTestSetup setup_;
};

void tst_roughEdges::aNewFolderStartsWithACleanReport()
{
    writeBytes(QStringLiteral("QSL.TXT"), listLines(30));
    const auto window = test::WindowTestSetup::openMainWindow();
    action(*window, "mnuFileList25")->trigger();
    QVERIFY(!window->Report->reportText().isEmpty());
    const QString empty = makeFolder(QStringLiteral("empty"));
    QVERIFY(window->openFolder(empty));
    QCOMPARE(window->Report->reportText(), QString());
    QCOMPARE(window->StatusBar2->panelText(1), QStringLiteral("Records: "));
    QCOMPARE(window->StatusBar2->panelText(3), QStringLiteral("To: "));
    {
        MessageBoxCatcher box;
        action(*window, "mnuFileList25")->trigger(); // error 53 in the empty folder
        QTRY_COMPARE(box.count, 1);
    }
    QVERIFY(window->openFolder(setup_.workPath()));
    QCOMPARE(window->Report->reportText(), QString());
    QCOMPARE(window->StatusBar2->panelText(2), QStringLiteral("From: "));
}

void tst_roughEdges::theFolderButtonIsShowInFileManager()
{
    const auto window = test::WindowTestSetup::openMainWindow();
    QPushButton* button = window->Report->cmdShowInFileManager;
    QCOMPARE(button->text(), QStringLiteral("Show in File Manager"));
    QList<QUrl> handed;
    window->Report->openInDesktop = [&handed](const QUrl& url) {
        handed << url;
        return true;
    };
    button->click();
    QCOMPARE(handed, QList<QUrl>{QUrl::fromLocalFile(QDir::currentPath())});
    for (const QPushButton* other : window->findChildren<QPushButton*>())
        QVERIFY2(other->text() != QStringLiteral("Open Folder"), qPrintable(other->objectName()));
}

// The bar moves already while the first pass reads, and on once through the second.
void tst_roughEdges::checkListsBarMovesThroughBothPasses()
{
    writeBytes(QStringLiteral("QSL.TXT"), listLines(600000));
    const auto window = test::WindowTestSetup::openMainWindow();
    QList<QPair<QString, int>> shown; // panel 1's text as the bar moved
    connect(window->Report->prgJob, &QProgressBar::valueChanged, window.get(),
            [&](int value) { shown << qMakePair(window->StatusBar2->panelText(1), value); });
    action(*window, "mnuFileCheckList")->trigger();
    QVERIFY(shown.size() >= 3);
    const auto firstPass = std::find_if(shown.begin(), shown.end(), [](const auto& step) {
        return step.first.startsWith(QStringLiteral("Read:")) && step.second > 0;
    });
    QVERIFY2(firstPass != shown.end(), "the bar stood still in the first pass");
    QVERIFY(firstPass->second <= 500);
    for (qsizetype step = 1; step < shown.size(); ++step)
        QVERIFY(shown[step].second >= shown[step - 1].second || shown[step].second == 0);
    QCOMPARE(shown.last().second, 1000);
}

void tst_roughEdges::aSavedWindowLargerThanTheScreenIsFitted()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        const frmMain probe; // for its DPI
        WindowPlacement stored;
        stored.MainLeft = static_cast<float>(Twips::fromPixelsX(probe, screen.left() + 20));
        stored.MainTop = static_cast<float>(Twips::fromPixelsY(probe, screen.top() + 20));
        stored.MainWidth = static_cast<float>(Twips::fromPixelsX(probe, screen.width() * 3 / 2));
        stored.MainHeight = static_cast<float>(Twips::fromPixelsY(probe, screen.height() * 3 / 2));
        stored.save();
    }
    const auto window = test::WindowTestSetup::openMainWindow();
    QTRY_VERIFY2(screen.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                          .arg(window->frameGeometry().x())
                                                                          .arg(window->frameGeometry().y())
                                                                          .arg(window->frameGeometry().width())
                                                                          .arg(window->frameGeometry().height())));
}

void tst_roughEdges::theFirstStartSaysHowToBegin()
{
    const auto window = test::WindowTestSetup::openMainWindow();
    ListPanel* list = window->List;
    QCOMPARE(list->stkList->currentWidget(), list->fraGuide);
    QVERIFY(list->fraGuide->isVisible());
    QCOMPARE(list->cmdGuideOpenFolder->text(), QStringLiteral("Open Folder..."));
    QCOMPARE(list->cmdTryExample->text(), QStringLiteral("Try the example list"));

    // The button asks for a folder; the example goes into the one picked, which opens.
    bool chooserShown = false;
    QTimer::singleShot(200, window.get(), [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* chooser = qobject_cast<QFileDialog*>(widget); chooser && chooser->isVisible()) {
                chooserShown = chooser->fileMode() == QFileDialog::Directory;
                chooser->reject();
            }
    });
    list->cmdTryExample->click();
    QVERIFY(chooserShown);
    const QString picked = makeFolder(QStringLiteral("trial"));
    QVERIFY(window->tryExampleIn(picked));
    QCOMPARE(QDir::currentPath(), picked);
    QCOMPARE(readBytes(picked + QStringLiteral("/QSL.TXT")),
             readBytes(QStringLiteral(BORVELIN_SOURCE_DIR "/example/QSL.TXT")));
    QTRY_VERIFY(list->hasList());
    QCOMPARE(list->Model->rowCount(), 500);
}

void tst_roughEdges::theExampleIsNeverCopiedBesideTheProgramNorOverAList()
{
    const auto window = test::WindowTestSetup::openMainWindow();
    const QString program = QCoreApplication::applicationDirPath();
    const bool programHadList = QFile::exists(program + QStringLiteral("/QSL.TXT"));
    {
        MessageBoxCatcher box;
        QVERIFY(!window->tryExampleIn(program));
        QCOMPARE(box.count, 1);
    }
    QCOMPARE(QFile::exists(program + QStringLiteral("/QSL.TXT")), programHadList);
    const QString kept = makeFolder(QStringLiteral("kept"));
    writeBytes(kept + QStringLiteral("/QSL.TXT"), "Q1ABC        QSL via Q2MGR\r\n");
    MessageBoxCatcher box;
    QVERIFY(!window->tryExampleIn(kept));
    QCOMPARE(box.count, 1);
    QCOMPARE(readBytes(kept + QStringLiteral("/QSL.TXT")), QByteArray("Q1ABC        QSL via Q2MGR\r\n"));
}

void tst_roughEdges::windows1252IsShownAsSuchAndNeverTranscoded()
{
    const QByteArray munich = "Q1ABC        P.O. Box 1, M\xfcnchen, Xyzland\r\n";
    writeBytes(QStringLiteral("QSL.TXT"), munich + "Q2DEF        QSL via Q3MGR\r\n");
    const auto window = test::WindowTestSetup::openMainWindow();
    QTRY_VERIFY(window->List->hasList());
    QSignalSpy answered(window->Finder, &CallFinder::answered);
    window->Finder->txtFind->setText(QStringLiteral("Q1ABC"));
    window->Finder->find();
    QVERIFY(answered.wait());
    QVERIFY2(window->Finder->answerShown().contains(QStringLiteral("München")),
             qPrintable(window->Finder->answerShown()));
    const QModelIndex address = window->List->Model->index(0, ListModel::ManagerColumn);
    QCOMPARE(address.data().toString(), QStringLiteral("P.O. Box 1, München, Xyzland"));

    // Changed in the window, the line stays in its code page.
    window->List->tblList->setCurrentIndex(address);
    ModalAnswer<frmStation> edit([](frmStation& dialog) {
        QCOMPARE(dialog.txtManager->text(), QStringLiteral("P.O. Box 1, München, Xyzland"));
        dialog.txtManager->setText(QStringLiteral("P.O. Box 2, München, Xyzland"));
        dialog.accept();
    });
    action(*window, "mnuEditEditStation")->trigger();
    QVERIFY(edit.acted);
    action(*window, "mnuFileSaveList")->trigger();
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")),
             QByteArray("Q1ABC        P.O. Box 2, M\xfcnchen, Xyzland\r\nQ2DEF        QSL via Q3MGR\r\n"));
}

void tst_roughEdges::reportsLeaveNothingOut()
{
    writeBytes(QStringLiteral("QSL.TXT"),
               listLines(3) + "Q0HJ         PIRATE\r\nshort\r\nXYZLAND      Bureau, no address\r\n");
    const auto window = test::WindowTestSetup::openMainWindow();
    const auto report = [&window] { return window->Report->reportText(); };
    action(*window, "mnuFileTXT2FUL")->trigger();
    QVERIFY2(report().contains(QStringLiteral("\n2 short lines left out.")), qPrintable(report()));
    action(*window, "mnuFileCluster")->trigger();
    QVERIFY2(report().contains(QStringLiteral("\n4 calls.")), qPrintable(report()));
    action(*window, "mnuFileCheckList")->trigger();
    for (const QString& part : {QStringLiteral("\n3 errors; 0 warnings; 0 notes; "),
                                QStringLiteral("; 2 findings C1 (a line List of 25+ logs); "),
                                QStringLiteral("; 1 finding C13 (a bureau line without an address).")})
        QVERIFY2(report().contains(part), qPrintable(report()));
    action(*window, "mnuFileFull2TXT")->trigger();
    QVERIFY2(report().contains(QStringLiteral("\nThe old QSL.TXT is kept as QSL.BAK (")), qPrintable(report()));
    writeBytes(QStringLiteral("rows.csv"), "Q5XYZ;Q6MGR;2024-05\n");
    window->importManagerList(QDir::current().filePath(QStringLiteral("rows.csv")), false);
    QVERIFY2(report().contains(QStringLiteral("\nThe old QSL.TXT is kept as QSL.BAK (")), qPrintable(report()));
}

void tst_roughEdges::aLongPanelTextIsShortenedWithItsWholeTextAsTooltip()
{
    const auto window = test::WindowTestSetup::openMainWindow();
    window->resize(Twips::toPixelsX(*window, 3000), window->height()); // no room to spare
    StatusBar* bar = window->StatusBar2;
    QTRY_COMPARE(bar->width(), window->centralWidget()->width());
    const QRect to = bar->panelRect(3);
    const QRect dir = bar->panelRect(4);
    const QString findings = QStringLiteral("Findings: C1 312, C2 17, C3 94, C4 2811, C5 910, C6 12, C7 40, C8 3, "
                                            "C9 77, C10 1205, C11 8, C12 2, C13 31");
    bar->setPanelText(1, findings);
    QCOMPARE(bar->panelRect(3), to);
    QCOMPARE(bar->panelRect(4), dir);
    QCOMPARE(bar->panelText(1), findings);
    const QString shown = bar->panelLabel(1)->text();
    QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() < findings.size(), qPrintable(shown));
    QHelpEvent hover(QEvent::ToolTip, bar->panelRect(1).center(), bar->mapToGlobal(bar->panelRect(1).center()));
    QApplication::sendEvent(bar, &hover);
    QTRY_COMPARE(QToolTip::text(), findings);
    // Where the window has room, the whole text shows, and the others stay inside it.
    window->resize(Twips::toPixelsX(*window, 30000), window->height());
    QTRY_COMPARE(bar->panelLabel(1)->text(), findings);
    QVERIFY(bar->panelRect(4).right() < bar->width());
}

QTEST_MAIN(tst_roughEdges)
#include "tst_roughEdges.moc"
