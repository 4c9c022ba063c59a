// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobSummary.h"

#include <QHash>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QThread;

// The main window's client area: the working folder, and in pages below it the list and
// the program's files, each file with its lines, size and time of change; while a job
// runs, the share of the list read and Cancel; after it, what the job read and wrote, or
// its error. Files open in the desktop's own programs, or, where the desktop has none
// for them, in a view inside the program.
class JobReport : public QWidget {
    Q_OBJECT

public:
    // The files the commands read and write in the working folder (from the catalog),
    // which the report lists when they are there.
    static const QStringList ProgramFiles;

    explicit JobReport(QWidget* parent = nullptr);
    ~JobReport() override;

    // Puts `widget` right below the working folder's line.
    void addBelowFolder(QWidget* widget, int stretch);
    // Adds a page before the file table's, and shows it.
    void addPage(QWidget* page, const QString& title);
    void showPage(QWidget* page);
    QWidget* pageShown() const;
    // Shows the working folder and its files afresh. Their lines are counted meanwhile,
    // but for the files `written` names with the lines a job wrote to them.
    void showFolder(const std::vector<borvelin::JobSummary::WrittenFile>& written = {});
    void showJobStarted();
    void showJobDone(const QString& command, const borvelin::JobSummary& summary);
    void showJobFailed(const QString& command, const QString& error);
    void showJobCancelled();
    // A report that is not a job's, such as the list's save.
    void showText(const QString& text);
    // A new folder: no report of the one before.
    void clearReport();
    // Shows the folder's file in the program, read-only.
    void showFileInside(const QString& file);
    // After Undo: the list kept as QSL.BAK is QSL.TXT again; `kept` says where the list
    // it replaced went.
    // After Undo: the files put back, what each replaced kept as.
    void showRestored(const std::vector<borvelin::KeptBackup>& kept);

    // How a file is handed to the desktop; false when no program takes it.
    std::function<bool(const QUrl&)> openInDesktop;
    static inline const QString CancelledText = QStringLiteral("Cancelled: no file was changed");
    // The text of the last report, and the lines shown for a file ("" while counted).
    QString reportText() const;
    QString linesShownFor(const QString& file) const;

    QProgressBar* prgJob = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdShowInFileManager = nullptr;
    QPushButton* cmdShowLog = nullptr;
    QTabWidget* tabClient = nullptr;
    // Offered after a command that replaced QSL.TXT: puts the list before it back.
    QPushButton* cmdUndo = nullptr;

signals:
    void cancelClicked();
    void undoClicked();
    // The line counts of the folder's files are all shown.
    void filesCounted();

private:
    void createControls();
    void listFiles(const std::vector<borvelin::JobSummary::WrittenFile>& written);
    void countLinesInTheBackground(const QStringList& files);
    void showLines(const QString& file, const QString& lines);
    void openFile(const QString& file);
    void stopCounting();

    QLabel* lblFolder_ = nullptr;
    QTableWidget* grdFiles_ = nullptr;
    QLabel* lblReport_ = nullptr;
    QWidget* fraJob_ = nullptr;
    QHash<QString, int> rowOf_;
    std::unique_ptr<QThread> counter_;
    int countRun_ = 0; // counts of an earlier listing are not shown
};
