// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's conversions: each runs on a thread of its own while the window stays
// live, and the menu command returns when it has ended.
#include "shell/frmMain.h"

#include "catalog/Catalog.h"
#include "forms/AppTitle.h"
#include "forms/CorePath.h"
#include "jobs/JobError.h"
#include "jobs/LineCount.h"
#include "jobs/ListSave.h"
#include "jobs/StopRequest.h"
#include "shell/CallFinder.h"
#include "shell/FillLogDialog.h"
#include "shell/ImportFileDialog.h"
#include "shell/JobReport.h"
#include "shell/JobRunner.h"
#include "shell/ListPanel.h"
#include "shell/StatusBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QShortcut>

#include <optional>

namespace {

// A command's menu caption without its access key and the dots of an item that asks for
// more first: "List of 25+", "Import Manager List".
QString commandName(const borvelin::Command& command)
{
    QString name = QString::fromUtf8(command.caption).remove(QLatin1Char('&')).trimmed();
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

} // namespace

void frmMain::runCommand(const borvelin::Command& command, const borvelin::CommandArguments& arguments)
{
    const QString name = commandName(command);
    if (!List->mayLeave()) // the commands read the list as it is on the disk
        return;
    std::optional<borvelin::JobError> failure;
    JobRunner runner;
    connect(&runner, &JobRunner::showPanelText, StatusBar2, &StatusBar::setPanelText);
    connect(&runner, &JobRunner::showShareRead, Report->prgJob, &QProgressBar::setValue);
    beginJob();
    try {
        lastSummary_ = runner.run([this, &command, &arguments](borvelin::StatusSink& status) {
            return command.run({jobState_, status, borvelin::diskFiles(), arguments});
        });
    } catch (const borvelin::JobError& error) {
        failure = error;
    }
    endJob();
    if (closeAfterJob_) {
        close();
        return;
    }
    List->afterJob();
    if (!failure) {
        Report->showJobDone(name, lastSummary_);
        return;
    }
    // The user stopped it, and knows: no error box.
    if (failure->number() == static_cast<int>(borvelin::ErrorNumber::UserInterrupt)) {
        Report->showJobCancelled();
        return;
    }
    // A job that gave up waiting for the folder leaves no word of the wait behind.
    if (StatusBar2->panelText(borvelin::ProgressPanel).startsWith(QStringLiteral("Waiting")))
        StatusBar2->setPanelText(borvelin::ProgressPanel, QStringLiteral("Records: "));
    const QString text = describe(*failure);
    Report->showJobFailed(name, text);
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
    List->setEnabled(enabled);
    if (enabled)
        updateEditCommands();
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
    if (error.line() != 0)
        text += QStringLiteral(", line %1").arg(error.line());
    return text;
}

void frmMain::mnuFileFull2TXT_Click()
{
    runCommand(borvelin::commandNamed("ful2txt"));
}

void frmMain::mnuFileTXT2FUL_Click()
{
    runCommand(borvelin::commandNamed("txt2ful"));
}

void frmMain::mnuFileQSL_Buro_list_Click()
{
    runCommand(borvelin::commandNamed("buro"));
}

void frmMain::mnuFileList25_Click()
{
    runCommand(borvelin::commandNamed("list25"));
}

void frmMain::mnuFileCheckList_Click()
{
    runCommand(borvelin::commandNamed("check"));
}

void frmMain::mnuFileImport_Click()
{
    const auto choice = askImportFile(this);
    if (choice && (choice->merge || replacingTheListIsConfirmed(choice->fileNames)))
        importManagerLists(choice->fileNames, choice->merge);
}

// An import without Merge replaces the whole list: the user says so first, seeing which
// list and how long it is.
bool frmMain::replacingTheListIsConfirmed(const QStringList& importedFiles)
{
    const QString list = QString::fromLatin1(borvelin::listfile::ListName);
    if (!QFileInfo(list).isFile())
        return true;
    QString lines;
    try {
        lines = QLocale().toString(static_cast<qulonglong>(borvelin::countLines(corePath(list))));
    } catch (const borvelin::JobError&) {
        lines = QStringLiteral("?");
    }
    QMessageBox ask(
        QMessageBox::Question, AppTitle,
        QStringLiteral("Replace the list %1 (%2 lines) with the stations of %3?")
            .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(list)), lines, nativeNames(importedFiles)),
        QMessageBox::Yes | QMessageBox::No, this);
    ask.setObjectName(QStringLiteral("msgReplaceList"));
    ask.setInformativeText(QStringLiteral("The list it replaces is kept as %1; Merge adds only the stations it lacks.")
                               .arg(QString::fromLatin1(borvelin::listfile::BackupName)));
    ask.setDefaultButton(QMessageBox::No);
    return ask.exec() == QMessageBox::Yes;
}

// Puts back the list kept as QSL.BAK, and every other file the last command kept a backup
// of (an import's history), on a thread of its own as a job, under the folder's lock.
void frmMain::cmdUndo_Click()
{
    if (jobRunning_)
        return;
    std::optional<borvelin::JobError> failure;
    std::vector<borvelin::KeptBackup> toRestore = lastSummary_.kept;
    if (toRestore.empty())
        toRestore.push_back({borvelin::listfile::ListName, borvelin::listfile::BackupName, {}});
    std::vector<borvelin::KeptBackup> kept;
    JobRunner runner;
    connect(&runner, &JobRunner::showPanelText, StatusBar2, &StatusBar::setPanelText);
    beginJob();
    try {
        runner.run([&toRestore, &kept](borvelin::StatusSink& status) {
            kept = borvelin::listfile::restoreBackups(toRestore, status);
            return borvelin::JobSummary{};
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
        lastSummary_.kept = kept; // a second Undo puts back what this one replaced
        Report->showRestored(kept);
        return;
    }
    const QString text = describe(*failure);
    Report->showJobFailed(QStringLiteral("Undo"), text);
    QMessageBox::critical(this, AppTitle, text);
}

void frmMain::importManagerList(const QString& fileName, bool merge)
{
    importManagerLists({fileName}, merge);
}

void frmMain::importManagerLists(const QStringList& fileNames, bool merge)
{
    if (fileNames.isEmpty())
        return;
    borvelin::CommandArguments arguments{.file = corePath(fileNames.constFirst()), .merge = merge};
    for (qsizetype index = 1; index < fileNames.size(); ++index)
        arguments.moreFiles.push_back(corePath(fileNames[index]));
    runCommand(borvelin::commandNamed("import"), arguments);
}

void frmMain::mnuFileFillQslVia_Click()
{
    if (const auto choice = askFillLog(this))
        fillQslVia(choice->logFile, choice->exactCallsOnly);
}

void frmMain::fillQslVia(const QString& logFile, bool exactCallsOnly)
{
    runCommand(borvelin::commandNamed("adif"), {.file = corePath(logFile), .exact = exactCallsOnly});
}

void frmMain::mnuFileCluster_Click()
{
    runCommand(borvelin::commandNamed("cluster"));
}

void frmMain::mnuFileExportHistory_Click()
{
    const QString file =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export History"), QStringLiteral("routes.csv"),
                                     QStringLiteral("Route histories (*.csv *.CSV);;All files (*)"));
    if (!file.isEmpty())
        exportHistory(file);
}

void frmMain::exportHistory(const QString& file)
{
    runCommand(borvelin::commandNamed("history"), {.file = corePath(file)});
}
