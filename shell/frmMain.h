// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobState.h"
#include "jobs/StatusSink.h"
#include "managers/ManagerTally.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QSize>

class QAction;
class QMenu;
class StatusBar;

namespace borvelin {
class JobError;
}

// The main window: the File and Help menus over two status bars. The conversions run
// inside the menu handlers and report through the panels of StatusBar2.
class frmMain : public QMainWindow, public borvelin::StatusSink {
    Q_OBJECT

public:
    static constexpr int StatusBar2Height = 270;
    static constexpr int StatusBar1Height = 30;
    // The progress panel is painted at most this often while a job runs; every other
    // panel at once.
    static constexpr int ProgressPaintIntervalMs = 40;
    static inline const QString HelpMessage =
        QStringLiteral("Unable to display Help Contents. There is no Help associated with this project.");

    frmMain();

    void setPanelText(int panel, const std::string& text) override;

    // Import Manager List and Fill QSL Via in Log once their file is chosen.
    void importManagerList(const QString& fileName, bool merge);
    void fillQslVia(const QString& logFile);

    StatusBar* StatusBar1 = nullptr;
    StatusBar* StatusBar2 = nullptr;

public slots:
    void mnuFileFull2TXT_Click();
    void mnuFileTXT2FUL_Click();
    void mnuFileQSL_Buro_list_Click();
    void mnuFileList25_Click();
    void mnuFileImport_Click();
    void mnuFileFillQslVia_Click();
    void mnuFileCluster_Click();
    void mnuFileExit_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    void StatusBar2_PanelClick(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, void (frmMain::*handler)());
    void addSeparator(QMenu* menu, const char* name);
    void createStatusBars();
    void applyStoredPlacement();
    void applyOuterSize();
    QSize frameExtent() const;
    void settleOuterSize();
    void saveCurrentPlacement() const;
    template <typename Job, typename... Extra>
    void runConversion(Extra&... extra);
    void showJobError(const borvelin::JobError& error);
    void showHelpMessage();

    borvelin::JobState jobState_;
    borvelin::ManagerTally managerTally_; // empty at load; List of 25+ adds to it run after run
    QElapsedTimer progressPainted_;       // since the progress panel was last painted
    QSize outerSize_;                     // the stored outer size, in pixels, until the frame is known
    bool outerSizeSettled_ = false;
};
