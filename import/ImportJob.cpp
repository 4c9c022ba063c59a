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
    : ConversionJob(state, status, files), listFile_(listFile), mode_(mode)
{
}

std::string_view ImportJob::lineStep(std::string_view textLine)
{
    ++state_.RecCount;
    showProgressIfDue();
    if (isBlankLine(textLine))
        return textLine;
    // A list saved by a Windows editor may start with UTF-8's byte order mark.
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view rowText =
        beforeFirstRow_ && textLine.starts_with(ByteOrderMark) ? textLine.substr(ByteOrderMark.size()) : textLine;
    ImportRow row;
    const RowFault fault = readImportRow(rowText, row);
    const bool firstRow = std::exchange(beforeFirstRow_, false);
    if (firstRow && fault != RowFault::None && isHeaderRow(row))
        return textLine;
    if (fault != RowFault::None) {
        log_.logFailure(textLine, rowFaultMessage(fault, row));
        return textLine;
    }
    stations_.addRow(ShortCall(row.call), ShortCall(row.manager), row.dateOrder);
    return textLine;
}

void ImportJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"station imported", "stations imported", stationsWritten_});
    counts.push_back({"entry logged", "entries logged", log_.entries()});
}

void ImportJob::afterInputRead()
{
    if (stations_.stations().empty())
        throw JobError(ErrorNumber::InvalidFileFormat, "Invalid file format (no row to import)", listFile_);
    if (mode_ == ImportMode::Merge)
        copyPresentList();
    for (const ImportedStation& station : stations_.stations())
        if (!station.inList)
            writeStation(station);
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
