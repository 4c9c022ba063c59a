// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/JobReport.h"

#include "catalog/ProgramFiles.h"
#include "dialogs/frmFileView.h"
#include "forms/AppTitle.h"
#include "forms/CorePath.h"
#include "jobs/JobError.h"
#include "jobs/LineCount.h"
#include "jobs/ListSave.h"
#include "shell/WorkingFolder.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { NameColumn, LinesColumn, SizeColumn, ChangedColumn, OpenColumn, Columns };

QString lineCountText(std::uint64_t lines)
{
    return QLocale().toString(static_cast<qulonglong>(lines));
}

QString linesText(std::uint64_t lines)
{
    return lineCountText(lines) + (lines == 1 ? QStringLiteral(" line") : QStringLiteral(" lines"));
}

QString sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// "The old QSL.TXT is kept as QSL.BAK (in /home/q1abc/qsl); the backup before it as
// QSL.20250102-101112.BAK." The folder is named once, also for a log named by its path.
QString keptText(const borvelin::KeptBackup& kept)
{
    const QFileInfo backup(fromCore(kept.backup));
    QString text = QStringLiteral("\nThe old %1 is kept as %2 (in %3)")
                       .arg(QFileInfo(fromCore(kept.target)).fileName(), backup.fileName(),
                            QDir::toNativeSeparators(backup.absolutePath()));
    if (!kept.older.empty())
        text += QStringLiteral("; the backup before it as %1").arg(QFileInfo(fromCore(kept.older)).fileName());
    return text + QLatin1Char('.');
}

} // namespace

const QStringList JobReport::ProgramFiles = [] {
    QStringList names;
    for (const std::string_view name : borvelin::programFiles())
        names << QString::fromUtf8(name);
    return names;
}();

JobReport::JobReport(QWidget* parent)
    : QWidget(parent), openInDesktop([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("JobReport"));
    createControls();
}

JobReport::~JobReport()
{
    stopCounting();
}

void JobReport::createControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* folderRow = new QHBoxLayout;
    lblFolder_ = new QLabel(this);
    lblFolder_->setObjectName(QStringLiteral("lblFolder"));
    lblFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFolder_->setWordWrap(true);
    folderRow->addWidget(lblFolder_, 1);
    // Not "Open Folder", which the File menu's command is: this one leaves the program.
    cmdShowInFileManager = new QPushButton(QStringLiteral("Show in File Manager"), this);
    cmdShowInFileManager->setObjectName(QStringLiteral("cmdShowInFileManager"));
    connect(cmdShowInFileManager, &QPushButton::clicked, this, [this] {
        if (!openInDesktop(QUrl::fromLocalFile(WorkingFolder::current())))
            QMessageBox::information(this, AppTitle,
                                     QStringLiteral("No file manager took the folder %1.")
                                         .arg(QDir::toNativeSeparators(WorkingFolder::current())));
    });
    folderRow->addWidget(cmdShowInFileManager);
    layout->addLayout(folderRow);

    grdFiles_ = new QTableWidget(0, Columns, this);
    grdFiles_->setObjectName(QStringLiteral("grdFiles"));
    grdFiles_->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Lines"), QStringLiteral("Size"),
                                          QStringLiteral("Changed"), QString()});
    grdFiles_->verticalHeader()->hide();
    grdFiles_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdFiles_->setSelectionMode(QAbstractItemView::NoSelection);
    grdFiles_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdFiles_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabClient = new QTabWidget(this);
    tabClient->setObjectName(QStringLiteral("tabClient"));
    tabClient->setDocumentMode(true);
    tabClient->addTab(grdFiles_, QStringLiteral("Files"));
    layout->addWidget(tabClient, 1);

    lblReport_ = new QLabel(this);
    lblReport_->setObjectName(QStringLiteral("lblReport"));
    lblReport_->setWordWrap(true);
    lblReport_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblReport_);

    auto* logRow = new QHBoxLayout;
    logRow->addStretch();
    cmdUndo = new QPushButton(QStringLiteral("&Undo"), this);
    cmdUndo->setObjectName(QStringLiteral("cmdUndo"));
    cmdUndo->setToolTip(QStringLiteral("Put the list before the last command back; the list it replaces is kept"));
    cmdUndo->hide();
    connect(cmdUndo, &QPushButton::clicked, this, &JobReport::undoClicked);
    logRow->addWidget(cmdUndo);
    cmdShowLog = new QPushButton(QStringLiteral("Show Log"), this);
    cmdShowLog->setObjectName(QStringLiteral("cmdShowLog"));
    connect(cmdShowLog, &QPushButton::clicked, this, [this] { showFileInside(QStringLiteral("BORVELIN.LOG")); });
    logRow->addWidget(cmdShowLog);
    layout->addLayout(logRow);

    fraJob_ = new QWidget(this);
    fraJob_->setObjectName(QStringLiteral("fraJob"));
    auto* jobRow = new QHBoxLayout(fraJob_);
    jobRow->setContentsMargins(0, 0, 0, 0);
    prgJob = new QProgressBar(fraJob_);
    prgJob->setObjectName(QStringLiteral("prgJob"));
    prgJob->setRange(0, 1000);
    prgJob->setFormat(QStringLiteral("%p% read"));
    // The bar takes the room the window has: Windows' style asks more of it than the
    // window's designed width leaves, which would widen the window at every job.
    prgJob->setSizePolicy(QSizePolicy::Ignored, prgJob->sizePolicy().verticalPolicy());
    jobRow->addWidget(prgJob, 1);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), fraJob_);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel, &QPushButton::clicked, this, &JobReport::cancelClicked);
    jobRow->addWidget(cmdCancel);
    fraJob_->hide();
    layout->addWidget(fraJob_);
}

void JobReport::addBelowFolder(QWidget* widget, int stretch)
{
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, widget, stretch);
}

void JobReport::addPage(QWidget* page, const QString& title)
{
    tabClient->insertTab(0, page, title);
    tabClient->setCurrentWidget(page);
}

void JobReport::showPage(QWidget* page)
{
    tabClient->setCurrentWidget(page);
}

QWidget* JobReport::pageShown() const
{
    return tabClient->currentWidget();
}

void JobReport::showFolder(const std::vector<borvelin::JobSummary::WrittenFile>& written)
{
    lblFolder_->setText(QStringLiteral("Folder: ") + QDir::toNativeSeparators(WorkingFolder::current()));
    listFiles(written);
}

void JobReport::listFiles(const std::vector<borvelin::JobSummary::WrittenFile>& written)
{
    stopCounting();
    grdFiles_->setRowCount(0);
    rowOf_.clear();
    QStringList toCount; // the files a job has not just written
    for (const QString& name : ProgramFiles) {
        const QFileInfo file(name);
        if (!file.isFile())
            continue;
        const int row = grdFiles_->rowCount();
        grdFiles_->insertRow(row);
        rowOf_.insert(name, row);
        grdFiles_->setItem(row, NameColumn, new QTableWidgetItem(name));
        const auto job =
            std::find_if(written.begin(), written.end(), [&](const auto& done) { return fromCore(done.name) == name; });
        if (job != written.end()) {
            showLines(name, lineCountText(job->lines));
        } else {
            grdFiles_->setItem(row, LinesColumn, new QTableWidgetItem(QStringLiteral("counting…")));
            toCount << name;
        }
        auto* size = new QTableWidgetItem(sizeText(file.size()));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdFiles_->setItem(row, SizeColumn, size);
        grdFiles_->setItem(row, ChangedColumn,
                           new QTableWidgetItem(QLocale().toString(file.lastModified(), QLocale::NarrowFormat)));
        auto* open = new QToolButton(grdFiles_);
        open->setText(QStringLiteral("Open"));
        open->setAutoRaise(true);
        open->setObjectName(QStringLiteral("cmdOpen_") + name);
        connect(open, &QToolButton::clicked, this, [this, name] { openFile(name); });
        grdFiles_->setCellWidget(row, OpenColumn, open);
    }
    cmdShowLog->setEnabled(rowOf_.contains(QStringLiteral("BORVELIN.LOG")));
    countLinesInTheBackground(toCount);
}

// Counting a list of millions of lines takes a moment: the table shows the files at
// once and their lines as they are counted.
void JobReport::countLinesInTheBackground(const QStringList& files)
{
    const int run = ++countRun_;
    const QString folder = WorkingFolder::current();
    QPointer<JobReport> report(this);
    counter_.reset(QThread::create([report, run, folder, files] {
        for (const QString& name : files) {
            if (QThread::currentThread()->isInterruptionRequested())
                return;
            QString lines;
            try {
                const auto keepGoing = [] { return !QThread::currentThread()->isInterruptionRequested(); };
                lines = lineCountText(borvelin::countLines(corePath(QDir(folder).filePath(name)), keepGoing));
            } catch (const borvelin::JobError&) {
                lines = QStringLiteral("unreadable");
            }
            QMetaObject::invokeMethod(report, [report, run, name, lines] {
                if (report && report->countRun_ == run)
                    report->showLines(name, lines);
            });
        }
        QMetaObject::invokeMethod(report, [report, run] {
            if (report && report->countRun_ == run)
                emit report->filesCounted();
        });
    }));
    counter_->start();
}

void JobReport::stopCounting()
{
    if (!counter_)
        return;
    counter_->requestInterruption();
    counter_->wait();
    counter_.reset();
}

void JobReport::showLines(const QString& file, const QString& lines)
{
    const auto row = rowOf_.find(file);
    if (row == rowOf_.end())
        return;
    auto* item = new QTableWidgetItem(lines);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grdFiles_->setItem(*row, LinesColumn, item);
}

QString JobReport::linesShownFor(const QString& file) const
{
    const auto row = rowOf_.find(file);
    return row == rowOf_.end() ? QString() : grdFiles_->item(*row, LinesColumn)->text();
}

QString JobReport::reportText() const
{
    return lblReport_->text();
}

void JobReport::showJobStarted()
{
    stopCounting(); // the job reads the disk now
    cmdUndo->hide();
    prgJob->reset();
    fraJob_->show();
    lblReport_->clear();
}

void JobReport::showJobDone(const QString& command, const borvelin::JobSummary& summary)
{
    fraJob_->hide();
    QString text =
        QStringLiteral("%1: %2 %3 read.").arg(command, lineCountText(summary.linesRead), fromCore(summary.readWhat()));
    for (const auto& file : summary.filesWritten) {
        const QString name = fromCore(file.name);
        text +=
            QStringLiteral("\nWritten %1: %2, %3.").arg(name, linesText(file.lines), sizeText(QFileInfo(name).size()));
    }
    QStringList counts;
    for (const auto& count : summary.counts)
        counts << QStringLiteral("%1 %2").arg(lineCountText(count.count), fromCore(count.what()));
    if (!counts.isEmpty())
        text += QLatin1Char('\n') + counts.join(QStringLiteral("; ")) + QLatin1Char('.');
    for (const auto& kept : summary.kept) {
        text += keptText(kept);
        if (kept.target == borvelin::listfile::ListName)
            cmdUndo->show();
    }
    lblReport_->setText(text);
    showFolder(summary.filesWritten);
}

void JobReport::showRestored(const std::vector<borvelin::KeptBackup>& kept)
{
    fraJob_->hide();
    QString text = QStringLiteral("Undo: %1 is the list from before the last command again.")
                       .arg(QString::fromLatin1(borvelin::listfile::ListName));
    for (const auto& file : kept)
        if (file.target != borvelin::listfile::ListName)
            text += QStringLiteral(" So is %1.").arg(fromCore(file.target));
    for (const auto& file : kept)
        text += keptText(file);
    lblReport_->setText(text);
    showFolder();
}

void JobReport::showJobFailed(const QString& command, const QString& error)
{
    fraJob_->hide();
    lblReport_->setText(QStringLiteral("%1 failed: %2\nNo file was changed.").arg(command, error));
    showFolder();
}

// Stopped by the user, who knows it: no error, and every file as it was.
void JobReport::showJobCancelled()
{
    fraJob_->hide();
    lblReport_->setText(CancelledText);
    showFolder();
}

void JobReport::showText(const QString& text)
{
    cmdUndo->hide(); // it undoes the command the report spoke of
    lblReport_->setText(text);
    showFolder();
}

void JobReport::clearReport()
{
    lblReport_->clear();
}

void JobReport::showFileInside(const QString& file)
{
    frmFileView::showFile(window(), QDir(WorkingFolder::current()).absoluteFilePath(file));
}

// The desktop's program for the file; where there is none, the view inside the program.
void JobReport::openFile(const QString& file)
{
    const QString path = QDir(WorkingFolder::current()).absoluteFilePath(file);
    if (openInDesktop(QUrl::fromLocalFile(path)))
        return;
    const auto answer =
        QMessageBox::question(this, AppTitle,
                              QStringLiteral("No program of the desktop opens %1.\nShow it here, read-only?")
                                  .arg(QDir::toNativeSeparators(path)));
    if (answer == QMessageBox::Yes)
        showFileInside(file);
}
