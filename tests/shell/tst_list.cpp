// SPDX-License-Identifier: GPL-3.0-or-later
// The list kept in the window: found, edited, added to, deleted from, undone and saved
// through the menus and keys, with Check List's findings beside its lines.
#include "dialogs/frmFileView.h"
#include "dialogs/frmStation.h"
#include "keptlist/KeptList.h"
#include "shell/CallFinder.h"
#include "shell/JobReport.h"
#include "shell/ListModel.h"
#include "shell/ListPanel.h"
#include "shell/frmMain.h"
#include "support/ModalAnswer.h"
#include "support/WindowTestFiles.h"
#include "support/WindowTestSetup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <memory>

using test::readBytes;
using test::writeBytes;

namespace {

// Every kind of line break, trailing blanks, and a last line without its break.
const QByteArray Original = "Q1ABC        QSL via Q2MGR   \r\n"
                            "Q3DEF        QSL via Q4MGR\n"
                            "Q5GHI        PIRATE\r\n"
                            "Q7JKL        NOT via Q8BAD";

// The button of a message box, as a user presses it; keeps the box's text.
struct BoxAnswer {
    explicit BoxAnswer(QMessageBox::StandardButton button)
        : answer([this, button](QMessageBox& box) {
              text = box.text();
              box.button(button)->click();
          })
    {
    }
    QString text;
    ModalAnswer<QMessageBox> answer;
};

QString rowText(frmMain& window, std::uint64_t row)
{
    return QString::fromStdString(window.List->Model->list()->row(row));
}

} // namespace

class tst_list : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setup_.isolate(); }
    void init() { setup_.enterFreshFolder(); }
    void cleanup() { setup_.leaveFolder(); }

    void editAddDeleteUndoAndSaveByTheKeys();
    void unsavedChangesAskBeforeTheyCanBeLost();
    void anOutsideChangeIsNoticed();
    void findingsStandBesideTheirLines();
    void theStationDialogShowsTheLinesFindings();
    void theLogAndTheFilesShowInsideTheProgram();

private:
    std::unique_ptr<frmMain> openWithList(const QByteArray& list);
    void activate(frmMain& window);

    test::WindowTestSetup setup_;
};

std::unique_ptr<frmMain> tst_list::openWithList(const QByteArray& list)
{
    writeBytes(QStringLiteral("QSL.TXT"), list);
    auto window = test::WindowTestSetup::openMainWindow();
    if (!QTest::qWaitFor([&] { return window->List->hasList(); }, 5000))
        qWarning("the list was not read");
    return window;
}

void tst_list::activate(frmMain& window)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("main window not active");
}

void tst_list::editAddDeleteUndoAndSaveByTheKeys()
{
    const auto window = openWithList(Original);
    activate(*window);
    QTableView* table = window->List->tblList;

    // Find the station, and change its manager.
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(window->Finder->txtFind, QStringLiteral("q3def"));
    QTest::keyClick(window->Finder->txtFind, Qt::Key_Return);
    QCOMPARE(window->List->currentRow(), 1u);
    QCOMPARE(QApplication::focusWidget(), table);
    ModalAnswer<frmStation> edit([](frmStation& dialog) {
        QTRY_COMPARE(dialog.focusWidget(), dialog.txtCall);
        QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(dialog.focusWidget(), dialog.txtManager);
        QTest::keyClick(dialog.focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dialog.focusWidget(), QStringLiteral("Q9NEW"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    QVERIFY(edit.acted);
    QCOMPARE(rowText(*window, 1), QStringLiteral("Q3DEF        QSL via Q9NEW"));
    activate(*window); // back from the dialog

    // A new station below it, in the list's columns.
    ModalAnswer<frmStation> add([](frmStation& dialog) {
        QCOMPARE(dialog.cboRoute->currentText(), QStringLiteral("QSL via"));
        QTRY_COMPARE(dialog.focusWidget(), dialog.txtCall);
        QTest::keyClicks(dialog.txtCall, QStringLiteral("Q5NEW"));
        QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
        QTest::keyClicks(dialog.focusWidget(), QStringLiteral("Q6MGR"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(add.acted);
    QCOMPARE(window->List->currentRow(), 2u);
    QCOMPARE(rowText(*window, 2), QStringLiteral("Q5NEW        QSL via Q6MGR"));
    activate(*window);

    // Delete the first station, and take that back.
    QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(window->List->currentRow(), 0u);
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(window->List->Model->rowCount(), 4);
    QCOMPARE(rowText(*window, 0), QStringLiteral("Q3DEF        QSL via Q9NEW"));
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->List->Model->rowCount(), 5);
    QCOMPARE(rowText(*window, 0), QStringLiteral("Q1ABC        QSL via Q2MGR   "));
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), Original); // nothing written yet

    QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), QByteArray("Q1ABC        QSL via Q2MGR   \r\n"
                                                              "Q3DEF        QSL via Q9NEW\n"
                                                              "Q5NEW        QSL via Q6MGR\r\n"
                                                              "Q5GHI        PIRATE\r\n"
                                                              "Q7JKL        NOT via Q8BAD"));
    QCOMPARE(readBytes(QStringLiteral("QSL.BAK")), Original);
    QVERIFY(!window->List->modified());
    QVERIFY(window->Report->reportText().contains(QStringLiteral("kept as QSL.BAK")));
    QVERIFY(window->findChild<QAction*>(QStringLiteral("mnuEditUndo"))->isEnabled());
}

void tst_list::unsavedChangesAskBeforeTheyCanBeLost()
{
    const auto window = openWithList(Original);
    window->List->Model->replaceRow(0, "Q1ABC        QSL via Q7NEW");
    {
        BoxAnswer cancel(QMessageBox::Cancel);
        window->close();
        QCOMPARE(cancel.text, QStringLiteral("The list has changes that are not saved."));
        QVERIFY(window->isVisible());
    }
    {
        const QString other = setup_.workPath(QStringLiteral("other"));
        QDir().mkpath(other);
        BoxAnswer cancel(QMessageBox::Cancel);
        QVERIFY(!window->openFolder(other));
        QVERIFY(cancel.answer.acted);
        QCOMPARE(QDir::current().absolutePath(), QDir(setup_.workPath()).absolutePath());
    }
    {
        // A command reads the list from the disk: saved first, it reads the change.
        BoxAnswer save(QMessageBox::Save);
        window->findChild<QAction*>(QStringLiteral("mnuFileList25"))->trigger();
        QVERIFY(save.answer.acted);
        QVERIFY(readBytes(QStringLiteral("QSL.CSV")).startsWith("Q1ABC;;Q7NEW;"));
    }
    window->List->Model->replaceRow(1, "Q3DEF        PIRATE");
    const QByteArray saved = readBytes(QStringLiteral("QSL.TXT"));
    BoxAnswer discard(QMessageBox::Discard);
    window->close();
    QVERIFY(discard.answer.acted);
    QVERIFY(!window->isVisible());
    QCOMPARE(readBytes(QStringLiteral("QSL.TXT")), saved);
}

void tst_list::anOutsideChangeIsNoticed()
{
    const auto window = openWithList(Original);
    ListPanel* list = window->List;
    list->Model->replaceRow(0, "Q1ABC        QSL via Q7NEW");
    writeBytes(QStringLiteral("QSL.TXT"), "Q0NEW        QSL via Q0MGR\r\n");
    QTRY_VERIFY(!list->fraChanged->isHidden());
    QVERIFY2(list->lblChanged->text().contains(QStringLiteral("changed on the disk")),
             qPrintable(list->lblChanged->text()));
    {
        BoxAnswer keep(QMessageBox::No);
        list->cmdReload->click();
        QVERIFY(keep.answer.acted);
        QVERIFY(list->modified());
        QCOMPARE(rowText(*window, 0), QStringLiteral("Q1ABC        QSL via Q7NEW"));
    }
    {
        BoxAnswer reload(QMessageBox::Yes);
        list->cmdReload->click();
        QVERIFY(reload.answer.acted);
    }
    QTRY_VERIFY(list->hasList() && list->Model->rowCount() == 1);
    QCOMPARE(rowText(*window, 0), QStringLiteral("Q0NEW        QSL via Q0MGR"));
    QVERIFY(list->fraChanged->isHidden());
    // Without changes of its own, the window reloads when asked, without a question.
    writeBytes(QStringLiteral("QSL.TXT"), Original);
    QTRY_VERIFY(!list->fraChanged->isHidden());
    BoxAnswer none(QMessageBox::Yes);
    list->cmdReload->click();
    QTRY_COMPARE(list->Model->rowCount(), 4);
    QVERIFY(!none.answer.acted);
}

void tst_list::findingsStandBesideTheirLines()
{
    const auto window = openWithList("Q1ABC        QSL via Q1ABC\r\n"
                                     "XYZLAND      QSL Bureau only\r\n"
                                     "Q2ABC        QSL via Q3MGR\r\n");
    window->findChild<QAction*>(QStringLiteral("mnuFileCheckList"))->trigger();
    ListModel* model = window->List->Model;
    QTRY_VERIFY(model->hasFindings());
    const auto findings = [model](int row) { return model->index(row, ListModel::FindingsColumn).data().toString(); };
    QCOMPARE(findings(0), QStringLiteral("note C8: the station is listed as its own manager"));
    QVERIFY2(findings(1).startsWith(QStringLiteral("error C1: List of 25+ logs: Failure:")), qPrintable(findings(1)));
    QVERIFY2(findings(1).endsWith(QStringLiteral("; error C13: the bureau line has no address")),
             qPrintable(findings(1)));
    QCOMPARE(findings(2), QString());
    QCOMPARE(model->index(1, ListModel::FindingsColumn).data(ListModel::SeverityRole).toInt(), 3);

    window->List->chkFindingsOnly->click();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->rowAt(1), 1u);

    // A double click on a finding opens its station.
    QString opened;
    ModalAnswer<frmStation> station([&opened](frmStation& dialog) {
        opened = dialog.txtCall->text();
        dialog.reject();
    });
    QTableView* table = window->List->tblList;
    table->scrollTo(model->index(1, ListModel::FindingsColumn));
    const QRect cell = table->visualRect(model->index(1, ListModel::FindingsColumn));
    // A double click is a click and a second press close behind it.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(station.acted);
    QCOMPARE(opened, QStringLiteral("XYZLAND"));
    // And so does Enter on a line.
    table->setCurrentIndex(model->index(0, ListModel::CallColumn));
    ModalAnswer<frmStation> byEnter([&opened](frmStation& dialog) {
        opened = dialog.txtCall->text();
        dialog.reject();
    });
    QTest::keyClick(table, Qt::Key_Return);
    QTRY_VERIFY(byEnter.acted);
    QCOMPARE(opened, QStringLiteral("Q1ABC"));
}

// The findings come from Check List's own checks of one line (tests/keptlist compare
// them with Check List's on the fuzz corpus); here, that the dialog shows them live.
void tst_list::theStationDialogShowsTheLinesFindings()
{
    const auto window = openWithList(Original);
    QStringList shownWithQ, shownWithManager;
    QString line;
    ModalAnswer<frmStation> add([&](frmStation& dialog) {
        QTest::keyClicks(dialog.txtCall, QStringLiteral("Q1ABC"));
        QTest::keyClicks(dialog.txtManager, QStringLiteral("Q%GL"));
        shownWithQ = dialog.findingsShown();
        line = dialog.lblLine->text();
        dialog.txtManager->clear();
        QTest::keyClicks(dialog.txtManager, QStringLiteral("Q2MGR"));
        shownWithManager = dialog.findingsShown();
        dialog.reject();
    });
    window->findChild<QAction*>(QStringLiteral("mnuEditNewStation"))->trigger();
    QVERIFY(add.acted);
    QCOMPARE(line, QStringLiteral("Q1ABC        QSL via Q%GL"));
    QCOMPARE(shownWithQ,
             QStringList{QStringLiteral("error C3: the call after \"QSL via\", Q%GL, is not a well-formed call")});
    QCOMPARE(shownWithManager.size(), 1);
    QVERIFY(shownWithManager.front().startsWith(QStringLiteral("Nothing")));
    QVERIFY(!window->List->modified()); // Cancel takes nothing in
}

void tst_list::theLogAndTheFilesShowInsideTheProgram()
{
    writeBytes(QStringLiteral("BORVELIN.LOG"), "12/08/26 08:17:11\r\nXYZLAND      M\xfcnchen\r\nFailure: ...\r\n");
    const auto window = openWithList(Original);
    window->Report->cmdShowLog->click();
    auto* view = window->findChild<frmFileView*>();
    QVERIFY(view && view->isVisible());
    QVERIFY2(view->txtFile->toPlainText().contains(QStringLiteral("XYZLAND      München")),
             qPrintable(view->txtFile->toPlainText()));
    QVERIFY(view->txtFile->isReadOnly());
    view->close();

    // A file no program of the desktop takes is offered inside the program.
    QList<QUrl> handed;
    window->Report->openInDesktop = [&handed](const QUrl& url) {
        handed << url;
        return false;
    };
    BoxAnswer show(QMessageBox::Yes);
    auto* open = window->Report->findChild<QToolButton*>(QStringLiteral("cmdOpen_QSL.TXT"));
    QVERIFY(open);
    open->click();
    QVERIFY(show.answer.acted);
    QVERIFY2(show.text.startsWith(QStringLiteral("No program of the desktop opens")), qPrintable(show.text));
    QCOMPARE(handed.size(), 1);
    QCOMPARE(handed.front().toLocalFile(), QDir::current().absoluteFilePath(QStringLiteral("QSL.TXT")));
    QTRY_VERIFY(window->findChild<frmFileView*>() && window->findChild<frmFileView*>()->isVisible());
    QVERIFY(window->findChild<frmFileView*>()->txtFile->toPlainText().startsWith(QStringLiteral("Q1ABC")));
}

QTEST_MAIN(tst_list)
#include "tst_list.moc"
