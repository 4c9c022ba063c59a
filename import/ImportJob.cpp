// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportJob.h"

#include "history/HistoryEntry.h"
#include "history/ImportRow.h"
#include "history/SourceNames.h"
#include "jobs/JobError.h"
#include "jobs/PassRunner.h"
#include "listline/LineLayout.h"
#include "listline/RouteReader.h"
#include "text/Capitals.h"
#include "text/Trimmed.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace borvelin {

namespace {

using layout::Keyword;

const std::string_view QslVia = layout::textOf(Keyword::QslVia);
const std::string_view ExManager = layout::textOf(Keyword::ExManager);
// A list saved by a Windows editor may start with UTF-8's byte order mark.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool isBlankLine(std::string_view line)
{
    return trimmed(line, Blanks::SpacesAndTabs).empty();
}

char* put(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

} // namespace

ImportJob::ImportJob(JobState& state, StatusSink& status, const std::string& listFile, ImportMode mode, JobFiles& files)
    : ImportJob(state, status, std::vector<std::string>{listFile}, mode, files)
{
}

ImportJob::ImportJob(JobState& state, StatusSink& status, std::vector<std::string> listFiles, ImportMode mode,
                     JobFiles& files)
    : ConversionJob(state, status, files), listFiles_(std::move(listFiles)), mode_(mode)
{
    if (listFiles_.empty())
        throw JobError(ErrorNumber::FileNotFound, "File not found (no list to import)");
}

void ImportJob::declarePasses(Passes& passes)
{
    importedLists_.clear();
    for (const std::string& file : listFiles_)
        passes.overLines(file, importedLists_.emplace_back(*this, file));
    if (mode_ == ImportMode::Merge) {
        // No list yet: every station is new; no history yet: the rows begin it.
        passes.overLines(ListFileName, presentList_, Passes::Input::MayBeMissing);
        passes.overLines(historyfile::FileName, presentHistory_, Passes::Input::MayBeMissing);
    }
}

void ImportJob::ImportedList::prepare(std::size_t workers, std::size_t blocksPerBatch)
{
    rowsBefore_ = job_.rowsTaken_;
    job_.workers_ = workers;
    job_.beforeFirstRow_ = true;
    job_.history_.beginFile(sourceOfFile(file_));
    job_.prepare(workers, blocksPerBatch);
}

// A list from which not a single row can be imported is the wrong file: nothing changes.
void ImportJob::ImportedList::finish()
{
    if (job_.rowsTaken_ == rowsBefore_)
        throw JobError(ErrorNumber::InvalidFileFormat, "Invalid file format (no row to import)", file_);
}

void ImportJob::prepare(std::size_t, std::size_t blocksPerBatch)
{
    rows_.resize(blocksPerBatch * PassRunner::BlockLines);
}

// Reading a row allocates nothing and cannot fail: a block needs no error of its own.
void ImportJob::readRow(std::string_view line, ReadRow& read)
{
    read.blank = isBlankLine(line);
    if (read.blank)
        return;
    read.row = ImportRow{};
    read.fault = readImportRow(line, read.row);
    if (read.fault == RowFault::None) {
        read.call = ShortCall(read.row.call);
        read.manager = ShortCall(read.row.manager);
    }
}

void ImportJob::work(std::size_t, const LineBlock& block)
{
    ReadRow* read = &rows_[block.index * PassRunner::BlockLines];
    for (const std::string_view line : block.lines)
        readRow(line, *read++);
}

void ImportJob::takeUp(const LineBlock& block)
{
    const ReadRow* read = &rows_[block.index * PassRunner::BlockLines];
    for (const std::string_view line : block.lines)
        takeRow(line, *read++);
}

void ImportJob::takeRow(std::string_view line, const ReadRow& readAhead)
{
    ++state_.RecCount;
    showProgressIfDue();
    if (readAhead.blank)
        return;
    const bool firstRow = std::exchange(beforeFirstRow_, false);
    // A row behind a byte order mark is read once more without it.
    const bool marked = firstRow && line.starts_with(ByteOrderMark);
    ReadRow withoutMark;
    if (marked)
        readRow(line.substr(ByteOrderMark.size()), withoutMark);
    const ReadRow& read = marked ? withoutMark : readAhead;
    if (firstRow && read.fault != RowFault::None && isHeaderRow(read.row))
        return;
    if (read.fault != RowFault::None) {
        logFailure(line, rowFaultMessage(read.fault, read.row));
        return;
    }
    stations_.addRow(read.call, read.manager, read.row.dateOrder, history_.sourceOf(read.row.source));
    ++rowsTaken_;
}

void ImportJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"station imported", "stations imported", stationsWritten_});
    counts.push_back({"entry logged", "entries logged", entriesLogged()});
}

JobSummary ImportJob::summary() const
{
    JobSummary summary = ConversionJob::summary();
    summary.linesRead = state_.RecCount;
    return summary;
}

void ImportJob::PresentList::takeUp(const LineBlock& block)
{
    for (const std::string_view line : block.lines) {
        job_.stopIfRequestedBeforeLine();
        job_.writeLine(line);
        job_.compareWithListLine(line);
    }
}

void ImportJob::PresentHistory::prepare(std::size_t, std::size_t)
{
    job_.history_.beginFile(historyfile::FileName);
    beforeFirstLine_ = true;
}

// A line the history cannot keep is logged as an imported row would be, and left out.
void ImportJob::PresentHistory::takeUp(const LineBlock& block)
{
    ImportRow row;
    for (const std::string_view line : block.lines) {
        job_.stopIfRequestedBeforeLine();
        if (isBlankLine(line))
            continue;
        const bool firstLine = std::exchange(beforeFirstLine_, false);
        const RowFault fault =
            readImportRow(firstLine && line.starts_with(ByteOrderMark) ? line.substr(ByteOrderMark.size()) : line, row);
        if (fault == RowFault::None)
            job_.stations_.addHistoryRow(ShortCall(row.call), ShortCall(row.manager), row.dateOrder,
                                         job_.history_.sourceOf(row.source));
        else if (!firstLine || !isHeaderRow(row))
            job_.logFailure(line, rowFaultMessage(fault, row));
    }
}

void ImportJob::compareWithListLine(std::string_view line)
{
    const std::string_view call = firstWord(line);
    if (call.empty() || call.size() > ShortCall::MostBytes)
        return;
    ImportedStation* station = stations_.find(ShortCall(call));
    if (!station)
        return;
    station->inList = true;
    const LineRoute route = routes_.read(line);
    const bool givesManager = route.kind == RouteKind::Manager || route.kind == RouteKind::HomeCall;
    const bool sameManager = givesManager && equalInCapitals(route.call, station->manager.view());
    if (!sameManager)
        logFailure(line, "Failure: " + std::string(station->call.view()) + " has the manager " +
                             std::string(station->manager.view()) +
                             " in the imported list; its line is left as it was.");
}

void ImportJob::writeGathered()
{
    stations_.takeWaitingRows();
    history_.orderStations(stations_, workers_ > 1); // while the list is written
    stations_.forEachStation([this](const ImportedStation& station) {
        if (!station.inList && !station.historyOnly)
            writeStation(station);
    });
    LineSink& history = addOutput(historyfile::FileName);
    history.keepReplacedAs(historyfile::BackupName);
    history_.write(stations_, history);
}

// The call at column 1, "QSL via MANAGER" at the route column, and a blank or the
// (Ex-...) remark behind the manager, which ends its call for List of 25+.
void ImportJob::writeStation(const ImportedStation& station)
{
    const std::string_view call = station.call.view();
    const std::string_view manager = station.manager.view();
    const std::string_view exManager = station.exManager.view();
    ++stationsWritten_;
    const std::size_t callArea = layout::RouteColumn - 1;
    const std::size_t remark = exManager.empty() ? 1 : 2 + ExManager.size() + exManager.size() + 1;
    char* out = lineSpace(callArea + QslVia.size() + 1 + manager.size() + remark);
    out = put(out, call);
    std::memset(out, ' ', callArea - call.size());
    out = put(out + callArea - call.size(), QslVia);
    *out++ = ' ';
    out = put(out, manager);
    *out++ = ' ';
    if (exManager.empty())
        return;
    *out++ = '(';
    out = put(put(out, ExManager), exManager);
    *out = ')';
}

} // namespace borvelin
