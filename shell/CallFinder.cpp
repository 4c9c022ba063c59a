// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CallFinder.h"

#include "forms/CorePath.h"
#include "forms/ListText.h"
#include "history/HistoryEntry.h"
#include "jobs/DiskStore.h"
#include "jobs/FilePath.h"
#include "jobs/FolderAccess.h"
#include "jobs/JobError.h"
#include "jobs/LineReader.h"
#include "lookup/CallLookup.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QVBoxLayout>

#include <optional>
#include <string>
#include <vector>

namespace {

class NoStatus : public borvelin::StatusSink {
public:
    void setPanelText(int, const std::string&) override {}
};

// The answers for the calls, or the error that kept the list or the history from being
// read. They are the folder's the find began in, whatever folder is chosen meanwhile; a
// set of files a killed command left half in place there is completed first.
QString lookUp(const std::vector<std::string>& calls, const QString& folder)
{
    const QString list = QDir(folder).filePath(QStringLiteral("QSL.TXT"));
    const QString historyFile = QDir(folder).filePath(QString::fromLatin1(borvelin::historyfile::FileName));
    try {
        borvelin::DiskStore store(borvelin::nativePath(corePath(folder)));
        NoStatus status;
        borvelin::beginReading(store, status);
        borvelin::LineReader lines(corePath(list));
        std::optional<borvelin::LineReader> history;
        if (QFile::exists(historyFile))
            history.emplace(corePath(historyFile));
        return ListText::toText(borvelin::lookUpText(calls, lines, history ? &*history : nullptr));
    } catch (const borvelin::JobError& error) {
        return QStringLiteral("Error %1: %2: %3")
            .arg(error.number())
            .arg(fromCore(error.text()),
                 QDir::toNativeSeparators(error.fileName().empty() ? list : fromCore(error.fileName())));
    }
}

// The system's own fixed-width font (Windows has none that answers to "monospace"); when
// the system names one it lacks, as wine names Courier New, the first family that comes
// out fixed-width (wine's own "Courier" may be drawn by a font that is not).
QFont fixedWidthFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(font).fixedPitch())
        return font;
    for (const QString& family : QFontDatabase::families()) {
        QFont candidate = font;
        candidate.setFamily(family);
        if (QFontDatabase::isFixedPitch(family) && QFontInfo(candidate).fixedPitch())
            return candidate;
    }
    return font;
}

} // namespace

CallFinder::CallFinder(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CallFinder"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("Call to look up (Ctrl+F), such as Q1ABC or QA/Q1ABC/P"));
    txtFind->setClearButtonEnabled(true);
    connect(txtFind, &QLineEdit::returnPressed, this, &CallFinder::find);
    row->addWidget(txtFind, 1);
    cmdFind = new QPushButton(QStringLiteral("Find"), this);
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    connect(cmdFind, &QPushButton::clicked, this, &CallFinder::find);
    row->addWidget(cmdFind);
    layout->addLayout(row);
    txtFound = new QPlainTextEdit(this);
    txtFound->setObjectName(QStringLiteral("txtFound"));
    txtFound->setReadOnly(true);
    txtFound->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtFound->setFont(fixedWidthFont()); // the list's columns line up
    txtFound->hide();
    layout->addWidget(txtFound, 1);
}

CallFinder::~CallFinder()
{
    stop();
}

void CallFinder::find()
{
    std::vector<std::string> calls;
    for (const QString& call :
         txtFind->text().split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts))
        calls.push_back(ListText::toBytes(call, ListText::newLinesInWindows1252()));
    if (calls.empty())
        return;
    stop();
    const int run = ++run_;
    const QString folder = QDir::currentPath();
    txtFound->setPlainText(QStringLiteral("Looking up in %1 …").arg(QDir::toNativeSeparators(folder)));
    txtFound->show();
    QPointer<CallFinder> finder(this);
    worker_.reset(QThread::create([finder, run, calls, folder] {
        const QString answer = lookUp(calls, folder);
        QMetaObject::invokeMethod(finder, [finder, run, answer] {
            if (finder)
                finder->show(run, answer);
        });
    }));
    worker_->start();
}

void CallFinder::show(int run, const QString& answer)
{
    if (run != run_)
        return;
    txtFound->setPlainText(answer);
    emit answered();
}

QString CallFinder::answerShown() const
{
    return txtFound->toPlainText();
}

void CallFinder::stop()
{
    if (!worker_)
        return;
    worker_->wait();
    worker_.reset();
}
