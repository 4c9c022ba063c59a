// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frmMain.h"

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
#include <QMimeData>
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
    addSeparator(mnuFile, "mnuFileBarFolder");
    addMenuItem(mnuFile, "mnuFileFull2TXT", QStringLiteral("Convert &FUL to TXT"), &frmMain::mnuFileFull2TXT_Click);
    addMenuItem(mnuFile, "mnuFileTXT2FUL", QStringLiteral("Convert &TXT to FUL"), &frmMain::mnuFileTXT2FUL_Click);
    addSeparator(mnuFile, "mnuFileBar0");
    addMenuItem(mnuFile, "mnuFileQSL_Buro_list", QStringLiteral("QSL &Buro list"),
                &frmMain::mnuFileQSL_Buro_list_Click);
    addMenuItem(mnuFile, "mnuFileList25", QStringLiteral("&List of 25+"), &frmMain::mnuFileList25_Click);
    addMenuItem(mnuFile, "mnuFileCheckList", QStringLiteral("&Check List"), &frmMain::mnuFileCheckList_Click);
    addSeparator(mnuFile, "mnuFileBar2");
    addMenuItem(mnuFile, "mnuFileImport", QStringLiteral("&Import Manager List..."), &frmMain::mnuFileImport_Click);
    addMenuItem(mnuFile, "mnuFileFillQslVia", QStringLiteral("Fill QSL &Via in Log..."),
                &frmMain::mnuFileFillQslVia_Click);
    addMenuItem(mnuFile, "mnuFileCluster", QStringLiteral("&Export for DX Cluster"), &frmMain::mnuFileCluster_Click);
    addSeparator(mnuFile, "mnuFileBar1");
    addMenuItem(mnuFile, "mnuFileExit", QStringLiteral("E&xit"), &frmMain::mnuFileExit_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

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
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, Finder, [this] {
        Finder->txtFind->setFocus(Qt::ShortcutFocusReason);
        Finder->txtFind->selectAll();
    });
    Report = new JobReport(client);
    Report->addBelowFolder(Finder, 0);
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

bool frmMain::openFolder(const QString& folder)
{
    QString problem;
    if (!WorkingFolder::changeTo(folder, problem)) {
        QMessageBox::warning(this, AppTitle, problem);
        return false;
    }
    showRecentFolders();
    Report->showFolder();
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

void frmMain::showHelpMessage()
{
    QMessageBox::information(this, windowTitle(), HelpMessage);
}

void frmMain::mnuHelpContents_Click()
{
    showHelpMessage();
}

void frmMain::mnuHelpSearchForHelpOn_Click()
{
    showHelpMessage();
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
