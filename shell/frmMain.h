// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/CommandContext.h"
#include "jobs/JobState.h"
#include "jobs/JobSummary.h"

#include <QMainWindow>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <memory>

class CallFinder;
class JobReport;
class ListPanel;
class QAction;
class QLockFile;
class QMenu;
class QShortcut;
class StatusBar;

namespace borvelin {
struct Command;
class JobError;
} // namespace borvelin

// The main window: the File, Edit and Help menus, the list and the job report in the
// client area, and two status bars. The program works on the files of its current directory, the working
// folder, which the File menu, a folder dropped on the window and the command line
// choose. A menu command returns when its conversion has ended; the conversion runs on
// a thread of its own meanwhile, reports through the panels of StatusBar2, and can be
// stopped with Cancel, Esc or the close box. While it runs, no menu command can start.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int StatusBar2Height = 270;
    static constexpr int StatusBar1Height = 30;
    // A second window of the program opens this far right of and below the first.
    static constexpr int CascadeTwips = 360;

    frmMain();
    ~frmMain() override;

    // Makes `folder` the working folder; tells the user and returns false when it cannot.
    bool openFolder(const QString& folder);

    bool jobRunning() const { return jobRunning_; }
    // What the last job that succeeded read and wrote.
    const borvelin::JobSummary& lastSummary() const { return lastSummary_; }

    // Import Manager List, Fill QSL Via in Log and Export History once their file is chosen.
    void importManagerList(const QString& fileName, bool merge);
    void importManagerLists(const QStringList& fileNames, bool merge);
    void fillQslVia(const QString& logFile, bool exactCallsOnly = false);
    // Copies the example list into `folder` and opens it; tells the user and returns false
    // when it cannot.
    bool tryExampleIn(const QString& folder);

    // The system asks the program to end: a running job is stopped and the window closes
    // once it has cleaned up, as with the close box; the program then exits with
    // `exitStatus`.
    void endSession(int exitStatus);
    int sessionExitStatus() const { return sessionExitStatus_; }
    void exportHistory(const QString& file);

    StatusBar* StatusBar1 = nullptr;
    StatusBar* StatusBar2 = nullptr;
    JobReport* Report = nullptr;
    CallFinder* Finder = nullptr;
    ListPanel* List = nullptr;

public slots:
    void mnuFileOpenFolder_Click();
    void mnuFileRecent_Click(int index);
    void mnuFileFull2TXT_Click();
    void mnuFileTXT2FUL_Click();
    void mnuFileQSL_Buro_list_Click();
    void mnuFileList25_Click();
    void mnuFileCheckList_Click();
    void mnuFileImport_Click();
    void mnuFileFillQslVia_Click();
    void mnuFileCluster_Click();
    void mnuFileSaveList_Click();
    void mnuFileExportHistory_Click();
    void mnuFileExit_Click();
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuEditNewStation_Click();
    void mnuEditEditStation_Click();
    void mnuEditDeleteStation_Click();
    void mnuEditFindCall_Click();
    void mnuEditShowList_Click();
    void mnuHelpUserGuide_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    void StatusBar2_PanelClick(int index);
    void cmdCancel_Click();
    void cmdUndo_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createEditMenu();
    void createListPanel();
    void updateEditCommands();
    void tryExample();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, void (frmMain::*handler)());
    void addSeparator(QMenu* menu, const char* name);
    void addRecentFolderItems(QMenu* menu);
    void showRecentFolders();
    void createClientArea();
    void readBackupSetting();
    void applyStoredPlacement();
    void applyOuterSize();
    QSize frameExtent() const;
    void settleOuterSize();
    void saveCurrentPlacement() const;
    // Runs `command` of the catalog with `arguments`, on a thread of its own.
    void runCommand(const borvelin::Command& command, const borvelin::CommandArguments& arguments = {});
    void beginJob();
    void endJob();
    void setMenuCommandsEnabled(bool enabled);
    QString describe(const borvelin::JobError& error) const;
    bool replacingTheListIsConfirmed(const QStringList& importedFiles);

    borvelin::JobState jobState_;
    borvelin::JobSummary lastSummary_;
    QSize outerSize_; // the stored outer size, in pixels, until the frame is known
    bool outerSizeSettled_ = false;
    bool jobRunning_ = false;
    bool closeAfterJob_ = false; // the close box was pressed while a job ran
    int sessionExitStatus_ = 0;
    QShortcut* escapeStopsJob_ = nullptr;
    QVector<QAction*> mnuFileRecent_;
    std::unique_ptr<QLockFile> windowSlot_; // which of the program's open windows this is
    int cascadeSteps_ = 0;
};
