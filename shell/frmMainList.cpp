// SPDX-License-Identifier: GPL-3.0-or-later
// The list in the main window: the Edit menu, Save List, and the first start's guidance.
#include "shell/frmMain.h"

#include "forms/AppTitle.h"
#include "shell/CallFinder.h"
#include "shell/JobReport.h"
#include "shell/ListPanel.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>

namespace {

const QString ExampleResource = QStringLiteral(":/example/QSL.TXT");

} // namespace

void frmMain::createEditMenu()
{
    QMenu* mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    addMenuItem(mnuEdit, "mnuEditUndo", QStringLiteral("&Undo"), &frmMain::mnuEditUndo_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    addMenuItem(mnuEdit, "mnuEditRedo", QStringLiteral("&Redo"), &frmMain::mnuEditRedo_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    addSeparator(mnuEdit, "mnuEditBar0");
    addMenuItem(mnuEdit, "mnuEditNewStation", QStringLiteral("&New Station..."), &frmMain::mnuEditNewStation_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addMenuItem(mnuEdit, "mnuEditEditStation", QStringLiteral("&Edit Station..."), &frmMain::mnuEditEditStation_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addMenuItem(mnuEdit, "mnuEditDeleteStation", QStringLiteral("&Delete Station"),
                &frmMain::mnuEditDeleteStation_Click)
        ->setShortcut(QKeySequence(Qt::Key_Delete));
    addSeparator(mnuEdit, "mnuEditBar1");
    addMenuItem(mnuEdit, "mnuEditFindCall", QStringLiteral("&Find Call"), &frmMain::mnuEditFindCall_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addMenuItem(mnuEdit, "mnuEditShowList", QStringLiteral("Show &List"), &frmMain::mnuEditShowList_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
}

void frmMain::createListPanel()
{
    List = new ListPanel(Report);
    Report->addPage(List, QStringLiteral("List"));
    connect(List, &ListPanel::stateChanged, this, &frmMain::updateEditCommands);
    connect(List, &ListPanel::saved, Report, &JobReport::showText);
    // A lookup shown answers from the list as saved.
    connect(List, &ListPanel::saved, this, [this] {
        if (Finder->txtFound->isVisible())
            Finder->find();
    });
    connect(List, &ListPanel::openFolderAsked, this, &frmMain::mnuFileOpenFolder_Click);
    connect(List, &ListPanel::tryExampleAsked, this, &frmMain::tryExample);
    // Enter in the find field looks the calls up, and selects the first one's station.
    // The field keeps Ctrl+E (the end of the line, on X11): the cursor goes to the list.
    connect(Finder->txtFind, &QLineEdit::returnPressed, this, [this] {
        const QString first = Finder->txtFind->text().section(QRegularExpression(QStringLiteral("[\\s,;]+")), 0, 0,
                                                              QString::SectionSkipEmpty);
        if (first.isEmpty() || !List->selectStation(first))
            return;
        Report->showPage(List); // Ctrl+E or Enter edits the station found
        List->tblList->setFocus(Qt::OtherFocusReason);
    });
}

// Undo, Redo and the station commands act when there is something to act on; no menu
// command acts while a job runs.
void frmMain::updateEditCommands()
{
    if (!menuBar()->isEnabled())
        return;
    const auto enable = [this](const char* name, bool enabled) {
        if (auto* item = findChild<QAction*>(QString::fromLatin1(name)))
            item->setEnabled(enabled);
    };
    enable("mnuEditUndo", List->canUndo());
    enable("mnuEditRedo", List->canRedo());
    enable("mnuEditNewStation", List->hasList());
    enable("mnuEditEditStation", List->hasCurrentRow());
    enable("mnuEditDeleteStation", List->hasCurrentRow());
    enable("mnuFileSaveList", List->hasList());
    const int page = Report->tabClient->indexOf(List);
    Report->tabClient->setTabText(page, List->modified() ? QStringLiteral("List *") : QStringLiteral("List"));
}

void frmMain::mnuFileSaveList_Click()
{
    List->save();
}

void frmMain::mnuEditUndo_Click()
{
    List->undo();
}

void frmMain::mnuEditRedo_Click()
{
    List->redo();
}

void frmMain::mnuEditNewStation_Click()
{
    Report->showPage(List);
    List->newStation();
}

void frmMain::mnuEditEditStation_Click()
{
    Report->showPage(List);
    List->editStation();
}

// Only the station the list's cursor is on, and only where the list is shown: Del in
// any other place deletes nothing of it.
void frmMain::mnuEditDeleteStation_Click()
{
    if (Report->pageShown() == List)
        List->deleteStation();
}

void frmMain::mnuEditFindCall_Click()
{
    Finder->txtFind->setFocus(Qt::ShortcutFocusReason);
    Finder->txtFind->selectAll();
}

void frmMain::mnuEditShowList_Click()
{
    Report->showPage(List);
    List->tblList->setFocus(Qt::ShortcutFocusReason);
}

// The example goes where the user says, never beside the program, and never over a list.
void frmMain::tryExample()
{
    QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(start).exists())
        start = QDir::homePath();
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Try the example list: choose a folder for it"), start);
    if (!folder.isEmpty())
        tryExampleIn(folder);
}

bool frmMain::tryExampleIn(const QString& folder)
{
    const QDir target(folder);
    const QString list = target.absoluteFilePath(QStringLiteral("QSL.TXT"));
    QString problem;
    if (QFileInfo(folder).canonicalFilePath() == QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath())
        problem = QStringLiteral("The example is not copied beside the program. Choose a folder of your own.");
    else if (QFileInfo::exists(list))
        problem = QStringLiteral("%1 already holds a QSL.TXT, which the example would replace. Choose another folder.")
                      .arg(QDir::toNativeSeparators(target.absolutePath()));
    if (problem.isEmpty()) {
        QFile example(ExampleResource);
        QFile copy(list);
        const bool created = example.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        if (!created || copy.write(example.readAll()) != example.size() || !copy.flush()) {
            problem = QStringLiteral("The example cannot be copied to %1: %2")
                          .arg(QDir::toNativeSeparators(list), copy.errorString());
            if (created)
                copy.remove();
        }
    }
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, AppTitle, problem);
        return false;
    }
    return openFolder(folder);
}
