// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/JobReport.h"

#include "forms/CorePath.h"
#include "jobs/JobError.h"
#include "jobs/LineCount.h"
#include "shell/WorkingFolder.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
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

} // namespace

const QStringList JobReport::ProgramFiles = {
    QStringLiteral("QSL.TXT"),      QStringLiteral("QSL.BAK"),    QStringLiteral("QSL.FUL"),
    QStringLiteral("QSL.CSV"),      QStringLiteral("QSLMGR.TXT"), QStringLiteral("QSLADM.TXT"),
    QStringLiteral("QSLCHK.CSV"),   QStringLiteral("QSLCLU.FUL"), QStringLiteral("QSLVIA.CSV"),
    QStringLiteral("BORVELIN.LOG"),
};

JobReport::JobReport(QWidget* parent) : QWidget(parent)
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
    cmdOpenFolder = new QPushButton(QStringLiteral("Open Folder"), this);
    cmdOpenFolder->setObjectName(QStringLiteral("cmdOpenFolder"));
    connect(cmdOpenFolder, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl::fromLocalFile(WorkingFolder::current())); });
    folderRow->addWidget(cmdOpenFolder);
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
    layout->addWidget(grdFiles_, 1);

    lblReport_ = new QLabel(this);
    lblReport_->setObjectName(QStringLiteral("lblReport"));
    lblReport_->setWordWrap(true);
    lblReport_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblReport_);

    auto* logRow = new QHBoxLayout;
    logRow->addStretch();
    cmdShowLog = new QPushButton(QStringLiteral("Show Log"), this);
    cmdShowLog->setObjectName(QStringLiteral("cmdShowLog"));
    connect(cmdShowLog, &QPushButton::clicked, this, [this] { openFile(QStringLiteral("BORVELIN.LOG")); });
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
    lblReport_->setText(text);
    showFolder(summary.filesWritten);
}

void JobReport::showJobFailed(const QString& command, const QString& error)
{
    fraJob_->hide();
    lblReport_->setText(QStringLiteral("%1 failed: %2\nNo file was changed.").arg(command, error));
    showFolder();
}

void JobReport::openFile(const QString& file) const
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(WorkingFolder::current()).absoluteFilePath(file)));
}
