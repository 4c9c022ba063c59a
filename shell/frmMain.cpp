// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frmMain.h"

#include "catalog/Catalog.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmGuide.h"
#include "forms/AppIcon.h"
#include "forms/AppTitle.h"
#include "forms/Forms.h"
#include "forms/SettingsStore.h"
#include "jobs/BackupGenerations.h"
#include "jobs/StatusSink.h"
#include "jobs/StopRequest.h"
#include "shell/CallFinder.h"
#include "shell/JobReport.h"
#include "shell/ListPanel.h"
#include "shell/StatusBar.h"
#include "shell/WorkingFolder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    Forms::track(this);
    setWindowTitle(AppTitle);
    setWindowIcon(AppIcon());
    setAcceptDrops(true);
    createMenus();
    createClientArea();
    // The designed panel of StatusBar1 gets five more, all empty.
    StatusBar1->addPanel();
    for (int PanelIndex = 1; PanelIndex <= 4; ++PanelIndex)
        StatusBar1->addPanel();
    applyStoredPlacement();
    readBackupSetting();
    Report->showFolder();
    List->load();
}

// How many older lists and logs are kept besides QSL.BAK and LOG.adi.bak: a number in
// the settings, 10 when it is not there or no number.
void frmMain::readBackupSetting()
{
    bool isNumber = false;
    const int olderKept = SettingsStore::GetSetting(AppTitle, QStringLiteral("Backups"), QStringLiteral("OlderKept"),
                                                    QString::number(borvelin::backups::DefaultOlderKept))
                              .toInt(&isNumber);
    borvelin::backups::setOlderKept(isNumber && olderKept >= 0 ? olderKept : borvelin::backups::DefaultOlderKept);
}

frmMain::~frmMain() = default;

void frmMain::createMenus()
{
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    addMenuItem(mnuFile, "mnuFileOpenFolder", QStringLiteral("&Open Folder..."), &frmMain::mnuFileOpenFolder_Click)
        ->setShortcut(QKeySequence::Open);
    addRecentFolderItems(mnuFile);
    addMenuItem(mnuFile, "mnuFileSaveList", QStringLiteral("&Save List"), &frmMain::mnuFileSaveList_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addSeparator(mnuFile, "mnuFileBarFolder");
    // The conversions, from the catalog. An item runs the handler named after it, as
    // mnuFileList25_Click; an item without one runs its command as it is.
    for (const borvelin::Command* command : borvelin::fileMenuCommands()) {
        if (!command->barAbove.empty())
            mnuFile->addSeparator()->setObjectName(QString::fromUtf8(command->barAbove));
        QAction* item = mnuFile->addAction(QString::fromUtf8(command->caption));
        item->setObjectName(QString::fromUtf8(command->control));
        const QByteArray handler = item->objectName().toLatin1() + "_Click()";
        if (const int slot = metaObject()->indexOfSlot(handler.constData()); slot >= 0)
            connect(item, QMetaMethod::fromSignal(&QAction::triggered), this, metaObject()->method(slot));
        else
            connect(item, &QAction::triggered, this, [this, command] { runCommand(*command); });
    }
    addSeparator(mnuFile, "mnuFileBar1");
    addMenuItem(mnuFile, "mnuFileExit", QStringLiteral("E&xit"), &frmMain::mnuFileExit_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    createEditMenu();

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addMenuItem(mnuHelp, "mnuHelpUserGuide", QStringLiteral("User &Guide"), &frmMain::mnuHelpUserGuide_Click)
        ->setShortcut(QKeySequence::HelpContents);
    addMenuItem(mnuHelp, "mnuHelpContents", QStringLiteral("&Contents"), &frmMain::mnuHelpContents_Click);
    addMenuItem(mnuHelp, "mnuHelpSearchForHelpOn", QStringLiteral("&Search For Help On..."),
                &frmMain::mnuHelpSearchForHelpOn_Click);
    addSeparator(mnuHelp, "mnuHelpBar0");
    addMenuItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About "), &frmMain::mnuHelpAbout_Click);
}

QAction* frmMain::addMenuItem(QMenu* menu, const char* name, const QString& caption, void (frmMain::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void frmMain::addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// The folders used last, "&1" to "&4", under Open Folder; hidden while unused.
void frmMain::addRecentFolderItems(QMenu* menu)
{
    for (int index = 0; index < WorkingFolder::RecentCount; ++index) {
        QAction* item = menu->addAction(QString());
        item->setObjectName(QStringLiteral("mnuFileRecent%1").arg(index + 1));
        connect(item, &QAction::triggered, this, [this, index] { mnuFileRecent_Click(index); });
        mnuFileRecent_ << item;
    }
    showRecentFolders();
}

void frmMain::showRecentFolders()
{
    const QStringList folders = WorkingFolder::recent();
    for (int index = 0; index < mnuFileRecent_.size(); ++index) {
        QAction* item = mnuFileRecent_[index];
        item->setVisible(index < folders.size());
        // "&&" shows a folder's own "&" as it is.
        const QString folder = QDir::toNativeSeparators(folders.value(index)).replace(QLatin1Char('&'), "&&");
        item->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(folder));
        item->setData(folders.value(index));
    }
}

void frmMain::createClientArea()
{
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Finder = new CallFinder(client);
    Report = new JobReport(client);
    Report->addBelowFolder(Finder, 0);
    // A few answers' lines; the rest scroll, and the list keeps its room.
    Finder->txtFound->setMaximumHeight(8 * Finder->txtFound->fontMetrics().lineSpacing());
    createListPanel();
    connect(Report, &JobReport::cancelClicked, this, &frmMain::cmdCancel_Click);
    connect(Report, &JobReport::undoClicked, this, &frmMain::cmdUndo_Click);
    layout->addWidget(Report, 1);
    escapeStopsJob_ = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &frmMain::cmdCancel_Click);
    escapeStopsJob_->setEnabled(false);

    StatusBar2 = new StatusBar(QStringLiteral("StatusBar2"), StatusBar2Height, client);
    // The fixed panels keep room for the longest texts the jobs write: ten million
    // records, a full tally, and the longest file names.
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, false, QStringLiteral("Records:"),
                         {QStringLiteral("Records: 10000000"), QStringLiteral("Rec: 10000000 100000"),
                          QStringLiteral("MGR: 100000/100000")});
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, false, QStringLiteral("From:"),
                         {QStringLiteral("From: QSL.TXT")});
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, false, QStringLiteral("To:"),
                         {QStringLiteral("To: QSLMGR.TXT"), QStringLiteral("To: QSLADM.TXT")});
    StatusBar2->addPanel(StatusBar::DefaultPanelWidth, true, QStringLiteral("Current Dir:"));
    connect(StatusBar2, &StatusBar::PanelClick, this, &frmMain::StatusBar2_PanelClick);
    layout->addWidget(StatusBar2);

    StatusBar1 = new StatusBar(QStringLiteral("StatusBar1"), StatusBar1Height, client);
    StatusBar1->addPanel(); // as designed: one empty panel
    layout->addWidget(StatusBar1);

    setCentralWidget(client);
}

// A new folder starts with a clean report and clean panels: what they said was of the
// folder before.
bool frmMain::openFolder(const QString& folder)
{
    if (!List->mayLeave())
        return false;
    QString problem;
    if (!WorkingFolder::changeTo(folder, problem)) {
        QMessageBox::warning(this, AppTitle, problem);
        return false;
    }
    showRecentFolders();
    Report->clearReport();
    Report->showFolder();
    StatusBar2_PanelClick(0);
    for (int panel = 1; panel <= StatusBar1->panelCount(); ++panel)
        StatusBar1->setPanelText(panel, QString());
    List->load();
    return true;
}

void frmMain::mnuFileOpenFolder_Click()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Open Folder"), WorkingFolder::current());
    if (!folder.isEmpty())
        openFolder(folder);
}

// A folder of the list that has gone since is taken off it.
void frmMain::mnuFileRecent_Click(int index)
{
    const QString folder = mnuFileRecent_.value(index)->data().toString();
    if (QDir(folder).exists()) {
        openFolder(folder);
        return;
    }
    WorkingFolder::forget(folder);
    showRecentFolders();
    QMessageBox::warning(
        this, AppTitle,
        QStringLiteral("The folder %1 no longer exists. It is taken off the list of folders used last.")
            .arg(QDir::toNativeSeparators(folder)));
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!jobRunning_ && event->mimeData() && !WorkingFolder::ofDrop(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// A folder dropped on the window, or a file in a folder, makes that folder the working
// folder.
void frmMain::dropEvent(QDropEvent* event)
{
    const QString folder = event->mimeData() ? WorkingFolder::ofDrop(*event->mimeData()) : QString();
    if (jobRunning_ || folder.isEmpty())
        return;
    event->acceptProposedAction();
    openFolder(folder);
}

// Unloading the main window unloads the program's other windows first, the most
// recently opened one first, then keeps the placement. While a job runs, the close box
// stops it, and the window closes once it has ended.
void frmMain::closeEvent(QCloseEvent* event)
{
    if (jobRunning_) {
        closeAfterJob_ = true;
        borvelin::requestStop();
        event->ignore();
        return;
    }
    if (!List->mayLeave()) {
        event->ignore();
        return;
    }
    const QList<QWidget*> windows = Forms::open();
    for (qsizetype i = windows.size() - 1; i >= 0; --i)
        if (windows[i] != this)
            windows[i]->close();
    if (!(windowState() & Qt::WindowMinimized))
        saveCurrentPlacement();
    event->accept();
}

void frmMain::endSession(int exitStatus)
{
    sessionExitStatus_ = exitStatus;
    if (jobRunning_) {
        closeAfterJob_ = true;
        borvelin::requestStop();
        return;
    }
    QApplication::closeAllWindows();
    QCoreApplication::exit(exitStatus);
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::mnuHelpUserGuide_Click()
{
    frmGuide::showGuide(this);
}

// The program has a guide: the help commands show it.
void frmMain::mnuHelpContents_Click()
{
    frmGuide::showGuide(this);
}

void frmMain::mnuHelpSearchForHelpOn_Click()
{
    frmGuide::showGuide(this)->startSearch();
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this); // loaded anew at every showing
    about.exec();
}

void frmMain::StatusBar2_PanelClick(int)
{
    StatusBar2->setPanelText(borvelin::ProgressPanel, QStringLiteral("Records: "));
    StatusBar2->setPanelText(borvelin::FromPanel, QStringLiteral("From: "));
    StatusBar2->setPanelText(borvelin::ToPanel, QStringLiteral("To: "));
    StatusBar2->setPanelText(borvelin::CurrentDirPanel, QStringLiteral("Current Dir: "));
}
