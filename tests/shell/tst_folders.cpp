// SPDX-License-Identifier: GPL-3.0-or-later
// The working folder and the job report: where the window works and what it shows.
#include "dialogs/frmGuide.h"
#include "jobs/LineCount.h"
#include "lookup/AnswerText.h"
#include "lookup/CallLookup.h"
#include "shell/CallFinder.h"
#include "shell/DialogFolders.h"
#include "shell/JobReport.h"
#include "shell/StatusBar.h"
#include "shell/WorkingFolder.h"
#include "shell/frmMain.h"
#include "support/MessageBoxCatcher.h"
#include "support/WindowTestFiles.h"
#include "support/WindowTestSetup.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <functional>
#include <memory>

using test::listLines;
using test::readBytes;
using test::writeBytes;

class tst_folders : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commandLineChoosesTheStartFolder();
    void openedFoldersAreKeptNewestFirst();
    void aVanishedFolderIsTakenOffTheList();
    void droppingAFileOpensItsFolder();
    void reportGivesTheFiguresOfTheFilesWritten();
    void failedJobIsReportedWithItsFullPath();
    void f1OpensTheGuideAndCtrlOTheFolderChooser();
    void ctrlFLooksUpACallAsTheCommandLineDoes();
    void aSecondWindowDoesNotLieOnTheFirst();
    void foldersNamedInAnyScriptWork_data();
    void foldersNamedInAnyScriptWork();
    void fileDialogsOpenInTheWorkingFolderThenWhereTheyLastChose();
    void importAsksWhetherToMergeNamingTheFile();
    void fillAsksForExactCallsOnlyAndKeepsTheChoice();
    void findAnswerIsInAFixedWidthFont();

private:
    std::unique_ptr<frmMain> openMainWindow();
    QString makeFolder(const QString& name);
    QStringList recentShown(frmMain& window);

    test::WindowTestSetup setup_;
};

void tst_folders::initTestCase()
{
    setup_.isolate();
}

void tst_folders::init()
{
    setup_.enterFreshFolder();
}

void tst_folders::cleanup()
{
    setup_.leaveFolder();
}

std::unique_ptr<frmMain> tst_folders::openMainWindow()
{
    return test::WindowTestSetup::openMainWindow();
}

QString tst_folders::makeFolder(const QString& name)
{
    const QString folder = setup_.workPath(name);
    QDir().mkpath(folder);
    return QDir(folder).canonicalPath();
}

QStringList tst_folders::recentShown(frmMain& window)
{
    QStringList shown;
    for (int index = 1; index <= WorkingFolder::RecentCount; ++index) {
        auto* item = window.findChild<QAction*>(QStringLiteral("mnuFileRecent%1").arg(index));
        if (item && item->isVisible())
            shown << item->text();
    }
    return shown;
}

void tst_folders::commandLineChoosesTheStartFolder()
{
    const QString used = makeFolder(QStringLiteral("used"));
    QString problem;
    QVERIFY(WorkingFolder::changeTo(used, problem));
    const QList<QPair<QStringList, QString>> cases = {
        {{"borvelin"}, QString()},
        {{"borvelin", "/some/list"}, "/some/list"},
        {{"borvelin", "--last-folder"}, QDir::toNativeSeparators(used)},
        {{"borvelin", "--last-folder", "/some/list"}, "/some/list"},
    };
    for (const auto& [arguments, expected] : cases) {
        QCommandLineParser parser;
        WorkingFolder::addOptions(parser);
        QVERIFY(parser.parse(arguments));
        QCOMPARE(WorkingFolder::startFolder(parser), expected);
    }
    // The folder used last that is still there.
    const QString gone = makeFolder(QStringLiteral("gone"));
    QVERIFY(WorkingFolder::changeTo(gone, problem));
    QVERIFY(QDir::setCurrent(used)); // Windows removes no folder that is a current directory
    QVERIFY(QDir(gone).removeRecursively());
    QCommandLineParser parser;
    WorkingFolder::addOptions(parser);
    QVERIFY(parser.parse({"borvelin", "--last-folder"}));
    QCOMPARE(WorkingFolder::startFolder(parser), QDir::toNativeSeparators(used));

    // The first start: the user's Documents, or the home folder when there is none.
    WorkingFolder::forget(used);
    WorkingFolder::forget(gone);
#ifndef Q_OS_WIN
    const QByteArray home = qgetenv("HOME");
    QVERIFY(qputenv("HOME", makeFolder(QStringLiteral("home")).toLocal8Bit()));
    QCOMPARE(WorkingFolder::startFolder(parser), QDir::homePath());
    QVERIFY(QDir::home().mkdir(QStringLiteral("Documents")));
#endif
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(QFileInfo(documents).isDir() && QDir(documents) != QDir::home());
    QCOMPARE(WorkingFolder::startFolder(parser), QDir::toNativeSeparators(documents));
#ifndef Q_OS_WIN
    qputenv("HOME", home);
#endif
}

void tst_folders::openedFoldersAreKeptNewestFirst()
{
    const auto window = openMainWindow();
    QStringList folders;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        folders.prepend(makeFolder(QString::fromLatin1(name)));
        QVERIFY(window->openFolder(folders.first()));
        QCOMPARE(QDir::currentPath(), folders.first());
    }
    QVERIFY(window->openFolder(folders[2])); // "c" again: it moves to the front
    QCOMPARE(recentShown(*window),
             QStringList({"&1 " + QDir::toNativeSeparators(folders[2]), "&2 " + QDir::toNativeSeparators(folders[0]),
                          "&3 " + QDir::toNativeSeparators(folders[1]), "&4 " + QDir::toNativeSeparators(folders[3])}));
    // Kept per user: a new window shows them too, and a choice changes the folder.
    const auto next = openMainWindow();
    QCOMPARE(recentShown(*next), recentShown(*window));
    next->findChild<QAction*>(QStringLiteral("mnuFileRecent3"))->trigger();
    QCOMPARE(QDir::currentPath(), folders[1]);
}

void tst_folders::aVanishedFolderIsTakenOffTheList()
{
    const auto window = openMainWindow();
    const QString kept = makeFolder(QStringLiteral("kept"));
    const QString gone = makeFolder(QStringLiteral("gone"));
    QVERIFY(window->openFolder(kept));
    QVERIFY(window->openFolder(gone));
    QVERIFY(window->openFolder(kept));
    QVERIFY(QDir(gone).removeRecursively());
    MessageBoxCatcher box;
    window->findChild<QAction*>(QStringLiteral("mnuFileRecent2"))->trigger();
    QTRY_COMPARE(box.count, 1);
    QVERIFY2(box.text.contains(QDir::toNativeSeparators(gone)), qPrintable(box.text));
    QCOMPARE(QDir::currentPath(), kept);
    QCOMPARE(WorkingFolder::recent(), QStringList{QDir::toNativeSeparators(kept)});
    QCOMPARE(recentShown(*window).size(), 1);
}

void tst_folders::droppingAFileOpensItsFolder()
{
    const QString list = makeFolder(QStringLiteral("radio/qsl"));
    writeBytes(list + "/QSL.TXT", listLines(3));
    const auto window = openMainWindow();
    for (const QString& dropped : {list + "/QSL.TXT", list}) {
        QVERIFY(QDir::setCurrent(setup_.workPath()));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        QCOMPARE(WorkingFolder::ofDrop(data), list);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCOMPARE(QDir::currentPath(), list);
    }
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/QSL.TXT"))});
    QCOMPARE(WorkingFolder::ofDrop(web), QString());
}

void tst_folders::reportGivesTheFiguresOfTheFilesWritten()
{
    const QString list = makeFolder(QStringLiteral("qsl"));
    writeBytes(list + "/QSL.TXT", listLines(30) + "XYZLAND      QSL Bureau only\r\n" + listLines(5, "Q3MGR"));
    QVERIFY(QDir::setCurrent(setup_.workPath())); // started elsewhere
    const auto window = openMainWindow();
    QVERIFY(window->openFolder(list));
    QSignalSpy counted(window->Report, &JobReport::filesCounted);
    QVERIFY(counted.wait());
    QCOMPARE(window->Report->linesShownFor(QStringLiteral("QSL.TXT")), QStringLiteral("36"));

    window->findChild<QAction*>(QStringLiteral("mnuFileList25"))->trigger();
    QVERIFY(counted.wait());
    const QString report = window->Report->reportText();
    for (const QString& file :
         {QStringLiteral("QSL.CSV"), QStringLiteral("QSLMGR.TXT"), QStringLiteral("BORVELIN.LOG")}) {
        const auto lines = borvelin::countLines((list + "/" + file).toStdString());
        QCOMPARE(window->Report->linesShownFor(file), QString::number(lines));
        if (file != QStringLiteral("BORVELIN.LOG"))
            QVERIFY2(report.contains(QStringLiteral("Written %1: %2 line").arg(file).arg(lines)), qPrintable(report));
    }
    QVERIFY2(report.contains(QStringLiteral("36 lines read")), qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("1 manager with 25 or more records")), qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("1 entry logged")), qPrintable(report));
}

void tst_folders::failedJobIsReportedWithItsFullPath()
{
    const QString empty = makeFolder(QStringLiteral("empty"));
    const auto window = openMainWindow();
    QVERIFY(window->openFolder(empty));
    MessageBoxCatcher box;
    window->findChild<QAction*>(QStringLiteral("mnuFileList25"))->trigger();
    QTRY_COMPARE(box.count, 1);
    const QString expected = "Error 53: File not found: " + QDir::toNativeSeparators(empty + "/QSL.TXT");
    QCOMPARE(box.text, expected);
    QCOMPARE(window->Report->reportText(), "List of 25+ failed: " + expected + "\nNo file was changed.");
}

void tst_folders::f1OpensTheGuideAndCtrlOTheFolderChooser()
{
    const auto window = openMainWindow();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    auto* guide = window->findChild<frmGuide*>();
    QVERIFY(guide && guide->isVisible());
    QVERIFY(guide->txtGuide->toPlainText().contains(QStringLiteral("List of 25+")));
    guide->close();

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    bool chooserShown = false;
    QTimer::singleShot(200, window.get(), [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* chooser = qobject_cast<QFileDialog*>(widget); chooser && chooser->isVisible()) {
                chooserShown = chooser->fileMode() == QFileDialog::Directory;
                chooser->reject();
            }
    });
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    QVERIFY(chooserShown);
}

void tst_folders::ctrlFLooksUpACallAsTheCommandLineDoes()
{
    const QString list = makeFolder(QStringLiteral("qsl"));
    writeBytes(list + "/QSL.TXT", "Q1ABC        QSL via Q2MGR New Manager\r\nQA/Q3XYZ     PIRATE\r\n");
    const auto window = openMainWindow();
    QVERIFY(window->openFolder(list));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), window->Finder->txtFind);
    QSignalSpy answered(window->Finder, &CallFinder::answered);
    QTest::keyClicks(window->Finder->txtFind, QStringLiteral("q1abc/p, Q3XYZ Q9ZZZ"));
    QTest::keyClick(window->Finder->txtFind, Qt::Key_Return);
    QVERIFY(answered.wait());
    std::string expected;
    for (const auto& answer : borvelin::lookUpCalls({"q1abc/p", "Q3XYZ", "Q9ZZZ"}))
        expected += borvelin::answerText(answer);
    QCOMPARE(window->Finder->answerShown(), QString::fromStdString(expected));
    QVERIFY(window->Finder->answerShown().contains(QStringLiteral("Q9ZZZ: not in QSL.TXT")));
}

void tst_folders::aSecondWindowDoesNotLieOnTheFirst()
{
    const auto first = openMainWindow();
    const auto second = openMainWindow();
    QVERIFY(first->frameGeometry().topLeft() != second->frameGeometry().topLeft());
    QVERIFY(second->frameGeometry().x() > first->frameGeometry().x());
}

void tst_folders::foldersNamedInAnyScriptWork_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<QString>("otherName");
    // Outside the ANSI code page of Western Windows, 1252, and each outside the other's.
    QTest::newRow("Cyrillic") << QStringLiteral("Радио") << QStringLiteral("Příklad");
    QTest::newRow("Czech") << QStringLiteral("Příklad") << QStringLiteral("Радио");
}

// Open Folder, the file table, a File command, Import and Fill QSL Via in a folder whose
// name the ANSI code page cannot hold, with the files named from another such folder;
// paths shown and stored with the system's separators.
void tst_folders::foldersNamedInAnyScriptWork()
{
    QFETCH(QString, folderName);
    QFETCH(QString, otherName);
    const QString folder = makeFolder(folderName);
    const QString other = makeFolder(otherName);
    writeBytes(folder + "/QSL.TXT", listLines(30));
    writeBytes(folder + "/LOG.ADI", "<CALL:4>Q3A3<EOR>\n");
    writeBytes(other + "/IMPORT.CSV", "Q5XYZ;Q6MGR;2024-05\n");
    const auto window = openMainWindow();
    QSignalSpy counted(window->Report, &JobReport::filesCounted);
    QVERIFY(window->openFolder(folder));
    QVERIFY(counted.wait());
    QCOMPARE(window->Report->linesShownFor(QStringLiteral("QSL.TXT")), QStringLiteral("30"));
    QCOMPARE(QSettings(QSettings::UserScope, "BORVELIN", "BORVELIN").value("Recent Folders/Folder1").toString(),
             QDir::toNativeSeparators(folder));

    window->findChild<QAction*>(QStringLiteral("mnuFileList25"))->trigger();
    QVERIFY2(window->Report->reportText().contains(QStringLiteral("Written QSL.CSV: 30 lines")),
             qPrintable(window->Report->reportText()));
    QCOMPARE(window->StatusBar2->panelText(4), "Current Dir: " + QDir::toNativeSeparators(folder));

    const QString importFile = other + "/IMPORT.CSV";
    window->importManagerList(importFile, true);
    QVERIFY2(window->Report->reportText().startsWith(QStringLiteral("Import Manager List: 1 line read")),
             qPrintable(window->Report->reportText()));
    QCOMPARE(window->StatusBar2->panelText(2), "From: " + QDir::toNativeSeparators(importFile));
    QVERIFY(readBytes(folder + "/QSL.TXT").contains("\nQ5XYZ        QSL via Q6MGR"));

    const QString log = folder + "/LOG.ADI";
    window->fillQslVia(log);
    QVERIFY2(window->Report->reportText().contains("1 route added to " + QDir::toNativeSeparators(log)),
             qPrintable(window->Report->reportText()));
    QCOMPARE(readBytes(log), QByteArray("<CALL:4>Q3A3<QSL_VIA:5>Q2MGR<EOR>\n"));
}

namespace {

// Acts on the next file dialog that opens, the system's own or Qt's, as the user would.
class FileDialogAnswer : public QObject {
public:
    explicit FileDialogAnswer(std::function<void(QFileDialog&)> answer) : answer_(std::move(answer))
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
                    timer_.stop();
                    startFolder = QDir(dialog->directory()).canonicalPath();
                    answer_(*dialog);
                    return;
                }
        });
        timer_.start(50);
    }

    QString startFolder;

private:
    std::function<void(QFileDialog&)> answer_;
    QTimer timer_;
};

// Answers the question box named `name` once it shows.
class BoxAnswer : public QObject {
public:
    BoxAnswer(QString name, std::function<void(QMessageBox&)> answer)
        : name_(std::move(name)), answer_(std::move(answer))
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(widget);
                    box && box->isVisible() && box->objectName() == name_) {
                    answer_(*box);
                    return;
                }
        });
        timer_.start(50);
    }

private:
    QString name_;
    std::function<void(QMessageBox&)> answer_;
    QTimer timer_;
};

void clickAccept(QMessageBox& box)
{
    for (QAbstractButton* button : box.buttons())
        if (box.buttonRole(button) == QMessageBox::AcceptRole)
            button->click();
}

} // namespace

void tst_folders::fileDialogsOpenInTheWorkingFolderThenWhereTheyLastChose()
{
    const QString work = makeFolder(QStringLiteral("work"));
    const QString logs = makeFolder(QStringLiteral("logs"));
    writeBytes(work + "/QSL.TXT", "Q1ABC        QSL via Q2MGR\r\n");
    writeBytes(logs + "/LOG.ADI", "<CALL:5>Q1ABC<EOR>\n");
    const auto window = openMainWindow();
    QVERIFY(window->openFolder(work));
    QAction* fill = window->findChild<QAction*>(QStringLiteral("mnuFileFillQslVia"));
    QAction* import = window->findChild<QAction*>(QStringLiteral("mnuFileImport"));
    {
        FileDialogAnswer answer([&](QFileDialog& dialog) {
            // The file name typed, and Open. The system's own dialog takes no input from
            // here: it is closed, and the choice made as the dialog would.
            if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                name->setText(logs + "/LOG.ADI");
                QMetaObject::invokeMethod(&dialog, "accept");
            } else {
                dialog.reject();
                DialogFolders::remember(DialogFolders::FillQslVia, logs + "/LOG.ADI");
            }
        });
        BoxAnswer notNow(QStringLiteral("frmFillExact"), [](QMessageBox& box) { box.reject(); });
        fill->trigger();
        QCOMPARE(answer.startFolder, work);
    }
    const QList<QPair<QAction*, QString>> openings = {{fill, logs}, {import, work}};
    for (const auto& [command, expected] : openings) {
        FileDialogAnswer answer([](QFileDialog& dialog) { dialog.reject(); });
        command->trigger();
        QCOMPARE(answer.startFolder, expected);
    }
    QVERIFY(QDir(logs).removeRecursively()); // gone: the working folder again
    FileDialogAnswer answer([](QFileDialog& dialog) { dialog.reject(); });
    fill->trigger();
    QCOMPARE(answer.startFolder, work);
}

// The system's own file dialog has no room for the merge box: it is asked for after the
// file is chosen, and what is ticked there is done.
void tst_folders::importAsksWhetherToMergeNamingTheFile()
{
    const QString work = makeFolder(QStringLiteral("work"));
    writeBytes(work + "/QSL.TXT", "Q1ABC        QSL via Q2MGR\r\n");
    writeBytes(work + "/rows.csv", "Q5XYZ;Q6MGR;2024-05\nQ1ABC;Q7NEW;2024-06\n");
    const auto window = openMainWindow();
    QVERIFY(window->openFolder(work));
    bool systemDialog = false;
    FileDialogAnswer answer([&](QFileDialog& dialog) {
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(work + "/rows.csv");
            QMetaObject::invokeMethod(&dialog, "accept");
        } else {
            systemDialog = true;
            dialog.reject();
        }
    });
    QString question;
    QTimer mergeAnswer;
    connect(&mergeAnswer, &QTimer::timeout, this, [&] {
        auto* box = window->findChild<QMessageBox*>(QStringLiteral("frmImportMerge"));
        if (!box || !box->isVisible())
            return;
        mergeAnswer.stop();
        question = box->text();
        box->checkBox()->setChecked(true);
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == QMessageBox::AcceptRole)
                button->click();
    });
    mergeAnswer.start(50);
    window->findChild<QAction*>(QStringLiteral("mnuFileImport"))->trigger();
    if (systemDialog)
        QSKIP("the system's own file dialog takes no file name from a test");
    QCOMPARE(question, "Import " + QDir::toNativeSeparators(work + "/rows.csv") + " into QSL.TXT?");
    const QByteArray list = readBytes(work + "/QSL.TXT");
    QVERIFY2(list.startsWith("Q1ABC        QSL via Q2MGR\r\nQ5XYZ        QSL via Q6MGR"), list.constData());
}

// The system's file dialog has no room for "Exact calls only" either: the box after it
// asks, and keeps the user's choice for the next fill.
void tst_folders::fillAsksForExactCallsOnlyAndKeepsTheChoice()
{
    const QString work = makeFolder(QStringLiteral("work"));
    writeBytes(work + "/QSL.TXT", "Q1ABC        QSL via Q2MGR\r\n");
    const QByteArray log = "<CALL:8>QA/Q1ABC<EOR>\n";
    writeBytes(work + "/LOG.ADI", log);
    const auto window = openMainWindow();
    QVERIFY(window->openFolder(work));
    QAction* fill = window->findChild<QAction*>(QStringLiteral("mnuFileFillQslVia"));
    bool systemDialog = false;
    FileDialogAnswer pick([&](QFileDialog& dialog) {
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(work + "/LOG.ADI");
            QMetaObject::invokeMethod(&dialog, "accept");
        } else {
            systemDialog = true;
            dialog.reject();
        }
    });
    QStringList shown;
    {
        BoxAnswer exact(QStringLiteral("frmFillExact"), [&](QMessageBox& box) {
            shown << box.text() + (box.checkBox()->isChecked() ? " [x]" : " [ ]");
            box.checkBox()->setChecked(true);
            clickAccept(box);
        });
        fill->trigger();
    }
    if (systemDialog)
        QSKIP("the system's own file dialog takes no file name from a test");
    QCOMPARE(readBytes(work + "/LOG.ADI"), log); // the inferred route left out
    FileDialogAnswer pickAgain([&](QFileDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(work + "/LOG.ADI");
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    {
        BoxAnswer inferred(QStringLiteral("frmFillExact"), [&](QMessageBox& box) {
            shown << box.text() + (box.checkBox()->isChecked() ? " [x]" : " [ ]");
            box.checkBox()->setChecked(false);
            clickAccept(box);
        });
        fill->trigger();
    }
    const QString question = "Fill QSL Via in " + QDir::toNativeSeparators(work + "/LOG.ADI") + "?";
    QCOMPARE(shown, QStringList({question + " [ ]", question + " [x]"}));
    QCOMPARE(readBytes(work + "/LOG.ADI"), QByteArray("<CALL:8>QA/Q1ABC<QSL_VIA:5>Q2MGR<EOR>\n"));
    // A log named by its path: its folder said once.
    const QString kept = "The old LOG.ADI is kept as LOG.ADI.bak (in " + QDir::toNativeSeparators(work) + ").";
    QVERIFY2(window->Report->reportText().contains(kept), qPrintable(window->Report->reportText()));
}

// The columns of a looked-up line stand under each other.
void tst_folders::findAnswerIsInAFixedWidthFont()
{
    const auto window = openMainWindow();
    QVERIFY(QFontInfo(window->Finder->txtFound->font()).fixedPitch());
}

QTEST_MAIN(tst_folders)
#include "tst_folders.moc"
