// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's conversions: each runs on a thread of its own while the window stays
// live, and the menu command returns when it has ended.
#include "shell/frmMain.h"

#include "adif/AdifFillJob.h"
#include "buro/BuroListJob.h"
#include "check/CheckJob.h"
#include "cluster/ClusterExportJob.h"
#include "forms/AppTitle.h"
#include "forms/CorePath.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "import/ImportJob.h"
#include "jobs/JobError.h"
#include "jobs/StopRequest.h"
#include "managers/List25Job.h"
#include "shell/CallFinder.h"
#include "shell/DialogFolders.h"
#include "shell/ImportFileDialog.h"
#include "shell/JobReport.h"
#include "shell/JobRunner.h"
#include "shell/StatusBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QShortcut>

#include <optional>

namespace {

// A menu item's caption without its access key and the dots of an item that asks for
// more first: "List of 25+", "Import Manager List".
QString commandName(const QAction& command)
{
    QString name = QString(command.text()).remove(QLatin1Char('&')).trimmed();
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

} // namespace

template <typename Job, typename... Extra>
void frmMain::runConversion(const char* menuItem, Extra... extra)
{
    const QString command = commandName(*findChild<QAction*>(QString::fromLatin1(menuItem)));
    std::optional<borvelin::JobError> failure;
    JobRunner runner;
    connect(&runner, &JobRunner::showPanelText, StatusBar2, &StatusBar::setPanelText);
    connect(&runner, &JobRunner::showShareRead, Report->prgJob, &QProgressBar::setValue);
    beginJob();
    try {
        lastSummary_ = runner.run([this, &extra...](borvelin::StatusSink& status) {
            Job job(jobState_, status, extra...);
            job.run();
            return job.summary();
        });
    } catch (const borvelin::JobError& error) {
        failure = error;
    }
    endJob();
    if (closeAfterJob_) {
        close();
        return;
    }
    if (!failure) {
        Report->showJobDone(command, lastSummary_);
        return;
    }
    const QString text = describe(*failure);
    Report->showJobFailed(command, text);
    QMessageBox::critical(this, AppTitle, text);
}

void frmMain::beginJob()
{
    jobRunning_ = true;
    borvelin::clearStopRequest();
    setMenuCommandsEnabled(false);
    Report->showJobStarted();
    escapeStopsJob_->setEnabled(true);
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

// Keys and clicks made while the job ran reach the window now, while every menu command
// is still disabled, so that none of them acts late.
void frmMain::endJob()
{
    QApplication::restoreOverrideCursor();
    QCoreApplication::processEvents();
    escapeStopsJob_->setEnabled(false);
    // An Esc or Cancel that came as the job ended must not stop what comes next: a
    // look-up in the find field, say.
    borvelin::clearStopRequest();
    setMenuCommandsEnabled(true);
    jobRunning_ = false;
}

void frmMain::setMenuCommandsEnabled(bool enabled)
{
    menuBar()->setEnabled(enabled);
    for (QAction* menu : menuBar()->actions())
        if (menu->menu())
            for (QAction* item : menu->menu()->actions())
                item->setEnabled(enabled);
    setAcceptDrops(enabled);
    Finder->setEnabled(enabled);
}

void frmMain::cmdCancel_Click()
{
    if (jobRunning_)
        borvelin::requestStop();
}

// "Error 53: File not found: /home/q1abc/radio/qsl/QSL.TXT": the file with its folder,
// so that the user sees where the program looked.
QString frmMain::describe(const borvelin::JobError& error) const
{
    QString text = QStringLiteral("Error %1: %2").arg(error.number()).arg(fromCore(error.text()));
    if (!error.fileName().empty()) {
        const QString file = fromCore(error.fileName());
        text += QStringLiteral(": ") + QDir::toNativeSeparators(QDir::current().absoluteFilePath(file));
    }
    return text;
}

void frmMain::mnuFileFull2TXT_Click()
{
    runConversion<borvelin::FulToTxtJob>("mnuFileFull2TXT");
}

void frmMain::mnuFileTXT2FUL_Click()
{
    runConversion<borvelin::TxtToFulJob>("mnuFileTXT2FUL");
}

void frmMain::mnuFileQSL_Buro_list_Click()
{
    runConversion<borvelin::BuroListJob>("mnuFileQSL_Buro_list");
}

void frmMain::mnuFileList25_Click()
{
    runConversion<borvelin::List25Job>("mnuFileList25");
}

void frmMain::mnuFileCheckList_Click()
{
    runConversion<borvelin::CheckJob>("mnuFileCheckList");
}

void frmMain::mnuFileImport_Click()
{
    if (const auto choice = askImportFile(this))
        importManagerList(choice->fileName, choice->merge);
}

void frmMain::importManagerList(const QString& fileName, bool merge)
{
    const std::string listFile = corePath(fileName);
    const borvelin::ImportMode mode = merge ? borvelin::ImportMode::Merge : borvelin::ImportMode::Replace;
    runConversion<borvelin::ImportJob>("mnuFileImport", listFile, mode);
}

void frmMain::mnuFileFillQslVia_Click()
{
    const QString logFile = QFileDialog::getOpenFileName(this, QStringLiteral("Fill QSL Via in Log"),
                                                         DialogFolders::startFolder(DialogFolders::FillQslVia),
                                                         QStringLiteral("ADIF logs (*.adi *.ADI);;All files (*)"));
    if (logFile.isEmpty())
        return;
    DialogFolders::remember(DialogFolders::FillQslVia, logFile);
    fillQslVia(logFile);
}

void frmMain::fillQslVia(const QString& logFile)
{
    const std::string log = corePath(logFile);
    runConversion<borvelin::AdifFillJob>("mnuFileFillQslVia", log);
}

void frmMain::mnuFileCluster_Click()
{
    runConversion<borvelin::ClusterExportJob>("mnuFileCluster");
}
