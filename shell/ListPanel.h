// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keptlist/ListFile.h"

#include <QString>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

class ListModel;
class QCheckBox;
class QFileSystemWatcher;
class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;
class QThread;

namespace borvelin {
class CheckFindings;
class KeptList;
class JobError;
} // namespace borvelin

// The working folder's QSL.TXT in the client area: a table of its stations that the Edit
// menu changes, with Check List's findings beside the lines. It is read beside the
// window; it stays in memory as edits only, until Save List writes it. With no QSL.TXT in
// the folder, it says how to begin.
class ListPanel : public QWidget {
    Q_OBJECT

public:
    explicit ListPanel(QWidget* parent = nullptr);
    ~ListPanel() override;

    // Reads the working folder's QSL.TXT anew; loaded() tells when it is shown.
    void load();
    bool loading() const { return loader_ != nullptr; }
    bool hasList() const;
    bool modified() const;
    bool canUndo() const;
    bool canRedo() const;
    bool hasCurrentRow() const;
    // The list's row the cursor is on.
    std::optional<std::uint64_t> currentRow() const;

    // When the list has unsaved changes, asks whether to save them, drop them, or stay;
    // true when the list may be left.
    bool mayLeave();
    // After a job: the list again when the job replaced it, the findings when it checked it.
    void afterJob();
    // Compares QSL.TXT on the disk with the list shown, and says so when it changed.
    void checkTheDisk();

    void undo();
    void redo();
    void newStation();
    void editStation();
    void deleteStation();
    // Writes the list; tells the user and gives false when it cannot.
    bool save();
    // Selects the first station of `call`; false when the list has none.
    bool selectStation(const QString& call);

    ListModel* Model = nullptr;
    QStackedWidget* stkList = nullptr;
    QTableView* tblList = nullptr;
    QCheckBox* chkFindingsOnly = nullptr;
    QFrame* fraChanged = nullptr;
    QLabel* lblChanged = nullptr;
    QPushButton* cmdReload = nullptr;
    QLabel* lblLoading = nullptr;
    QWidget* fraGuide = nullptr;
    QPushButton* cmdGuideOpenFolder = nullptr;
    QPushButton* cmdTryExample = nullptr;

signals:
    // Whether there is a list, a change to undo, or a row to edit, changed.
    void stateChanged();
    void loaded();
    // The list was written: what the report says of it.
    void saved(const QString& report);
    void openFolderAsked();
    void tryExampleAsked();

private:
    struct Loaded;

    void createControls();
    QWidget* createGuide();
    QWidget* createTable();
    void takeLoaded(const std::shared_ptr<Loaded>& result);
    void stopLoading();
    void watch(const QString& path);
    void reloadAsked();
    void showWhetherFindingsAreThere();
    void select(int position);
    QString listPath() const;
    QString describe(const borvelin::JobError& error) const;
    bool windows1252(const std::string& line) const;

    std::unique_ptr<QThread> loader_;
    std::shared_ptr<std::atomic<bool>> stopLoader_;
    int loadRun_ = 0; // what an earlier load read is not shown
    QFileSystemWatcher* watcher_ = nullptr;
    borvelin::FileVersion findingsVersion_;
};
