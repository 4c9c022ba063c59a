// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportJob.h"

#include "import/ImportRow.h"
#include "jobs/JobError.h"
#include "jobs/StopRequest.h"
#include "listline/LineLayout.h"
#include "listline/LineRoute.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace borvelin {

namespace {

using layout::Keyword;

const std::string_view QslVia = layout::textOf(Keyword::QslVia);
const std::string_view ExManager = layout::textOf(Keyword::ExManager);

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

char* put(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

} // namespace

ImportJob::ImportJob(JobState& state, StatusSink& status, const std::string& listFile, ImportMode mode, JobFiles& files)
    : ConversionJob(state, status, files), listFile_(listFile), mode_(mode), log_(files),
      sharing_(makeSharedBatch([this](std::size_t, std::size_t block) { readBlock(block); },
                               [this](std::size_t block) { takeUp(block); }))
{
}

std::string_view ImportJob::lineStep(std::string_view textLine)
{
    return batchStep(std::span(&textLine, 1));
}

std::string_view ImportJob::batchStep(std::span<const std::string_view> lines)
{
    batch_ = lines;
    sharing_->run((lines.size() + BlockRows - 1) / BlockRows);
    return lines.back();
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

void ImportJob::readBlock(std::size_t block)
{
    const std::size_t end = std::min(batch_.size(), (block + 1) * BlockRows);
    for (std::size_t row = block * BlockRows; row < end; ++row)
        readRow(batch_[row], rows_[row]);
}

void ImportJob::takeUp(std::size_t block)
{
    const std::size_t end = std::min(batch_.size(), (block + 1) * BlockRows);
    for (std::size_t row = block * BlockRows; row < end; ++row) {
        stopIfRequestedBeforeLine();
        takeRow(batch_[row], rows_[row]);
    }
}

void ImportJob::takeRow(std::string_view line, const ReadRow& readAhead)
{
    ++state_.RecCount;
    showProgressIfDue();
    if (readAhead.blank)
        return;
    const bool firstRow = std::exchange(beforeFirstRow_, false);
    // A list saved by a Windows editor may start with UTF-8's byte order mark: that row
    // is read once more without it.
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = firstRow && line.starts_with(ByteOrderMark);
    ReadRow withoutMark;
    if (marked)
        readRow(line.substr(ByteOrderMark.size()), withoutMark);
    const ReadRow& read = marked ? withoutMark : readAhead;
    if (firstRow && read.fault != RowFault::None && isHeaderRow(read.row))
        return;
    if (read.fault != RowFault::None) {
        log_.logFailure(line, rowFaultMessage(read.fault, read.row));
        return;
    }
    stations_.addRow(read.call, read.manager, read.row.dateOrder);
}

void ImportJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"station imported", "stations imported", stationsWritten_});
    counts.push_back({"entry logged", "entries logged", log_.entries()});
}

void ImportJob::afterInputRead()
{
    if (stations_.size() == 0)
        throw JobError(ErrorNumber::InvalidFileFormat, "Invalid file format (no row to import)", listFile_);
    if (mode_ == ImportMode::Merge)
        copyPresentList();
    stations_.forEachStation([this](const ImportedStation& station) {
        if (!station.inList)
            writeStation(station);
    });
}

// Merging keeps every line of the present list, in its place; the stations it already
// has are marked so that only the others are added.
void ImportJob::copyPresentList()
{
    std::unique_ptr<LineSource> list;
    try {
        list = files().openInput(ListFileName);
    } catch (const JobError& error) {
        if (error.number() == static_cast<int>(ErrorNumber::FileNotFound))
            return; // no list yet: every station is new
        throw;
    }
    std::string line;
    while (list->readLine(line)) {
        stopIfRequested();
        writeLine(line);
        compareWithListLine(line);
    }
}

void ImportJob::compareWithListLine(const std::string& line)
{
    const std::string_view call = firstWord(line);
    if (call.empty() || call.size() > ShortCall::MostBytes)
        return;
    ImportedStation* station = stations_.find(ShortCall(call));
    if (!station)
        return;
    station->inList = true;
    const std::string listManager = routeOfLine(line).manager;
    if (listManager != station->manager.view())
        log_.logFailure(line, "Failure: " + std::string(station->call.view()) + " has the manager " +
                                  std::string(station->manager.view()) +
                                  " in the imported list; its line is left as it was.");
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
