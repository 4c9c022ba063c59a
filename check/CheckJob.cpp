// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CheckJob.h"

#include "history/HistoryEntry.h"
#include "jobs/InputStamp.h"

#include <algorithm>

namespace borvelin {
namespace {

// The records of a block's lines are asked for at once, so that their waits for memory overlap.
void prefetchRecords(const CheckedBlock& block)
{
#if defined(__GNUC__) || defined(__clang__)
    for (const CheckedBlock::Line& line : block.lines)
        if (line.compared != nullptr)
            __builtin_prefetch(line.compared, 1);
#else
    (void)block;
#endif
}

} // namespace

CheckJob::CheckJob(JobState& state, StatusSink& status, JobFiles& files)
    : ConversionJob(state, status, files), survey_(crossLineChecks_, status)
{
}

void CheckJob::declarePasses(Passes& passes)
{
    listStamp_ = stampOfInputReadTwice(files().store(), ListFileName);
    passes.overLines(ListFileName, survey_);
    passes.overLines(historyfile::FileName, historyConflicts_, Passes::Input::MayBeMissing);
    passes.overLines(ListFileName, *this);
}

void CheckJob::confirmInputsUnchanged()
{
    requireUnchangedInput(files().store(), ListFileName, listStamp_);
}

void CheckJob::prepare(std::size_t workers, std::size_t blocksPerBatch)
{
    while (checkers_.size() < workers)
        checkers_.emplace_back(crossLineChecks_, historyConflicts_);
    checked_.resize(blocksPerBatch);
}

void CheckJob::work(std::size_t worker, const LineBlock& block)
{
    checkers_[worker].check(block.lines, block.firstLine, checked_[block.index]);
}

// Each line's rows in the order of their codes, C5 among them.
void CheckJob::takeUp(const LineBlock& lines)
{
    const CheckedBlock& block = checked_[lines.index];
    prefetchRecords(block);
    for (const std::uint32_t place : block.historyCalls)
        historyConflicts_.markInList(place);
    std::size_t row = 0;
    std::size_t callBegin = 0;
    for (const CheckedBlock::Line& line : block.lines) {
        ++state_.RecCount;
        const std::uint32_t lineNumber = checkedLineNumber(state_.RecCount);
        showProgressIfDue();
        writeRows(block, row, line.rowsBeforeFive);
        if (line.compared != nullptr) {
            const std::string_view call = std::string_view(block.calls).substr(callBegin, line.callEnd - callBegin);
            if (const std::uint32_t earlier = CrossLineChecks::repeatedLine(*line.compared, line.lineId, lineNumber))
                writeRepeat(call, earlier);
            callBegin = line.callEnd;
        }
        writeRows(block, row, line.rowsEnd);
    }
}

void CheckJob::writeRows(const CheckedBlock& block, std::size_t& row, std::size_t end)
{
    for (; row < end; ++row) {
        const std::size_t begin = row == 0 ? 0 : block.rowEnds[row - 1].end;
        const std::string_view text = std::string_view(block.rows).substr(begin, block.rowEnds[row].end - begin);
        writeLine(text);
        tally_.count(block.rowEnds[row].code, severityOfRow(text));
    }
}

// C5: the line repeats an earlier one.
void CheckJob::writeRepeat(std::string_view call, std::uint32_t earlier)
{
    Finding finding;
    finding.code = FindingCode::RepeatedLine;
    finding.severity = kindOf(finding.code).severity;
    finding.call = call;
    finding.number = earlier;
    row_.clear();
    appendRow(row_, state_.RecCount, finding);
    writeLine(row_);
    tally_.count(finding.code, finding.severity);
}

// C14 of the stations QSL.TXT lacks: line number 0, after every line's rows.
void CheckJob::writeGathered()
{
    historyConflicts_.forEachCall([this](const HistoryConflicts::Call& call) {
        if (call.inList)
            return;
        for (const HistoryConflicts::Month& month : call.months) {
            Finding finding;
            finding.code = FindingCode::HistoryConflict;
            finding.severity = kindOf(finding.code).severity;
            finding.variant = 1;
            finding.call = call.call.view();
            finding.named = month.managers;
            finding.number = month.historyLine;
            row_.clear();
            appendRow(row_, 0, finding);
            writeLine(row_);
            tally_.count(finding.code, finding.severity);
        }
    });
    status_.setPanelText(ProgressPanel, doneText());
}

std::string CheckJob::progressText() const
{
    return "Checked: " + std::to_string(state_.RecCount) + ", findings: " + std::to_string(tally_.total());
}

// The totals of each severity, then each code found with what it means.
void CheckJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    for (const Severity severity : {Severity::Error, Severity::Warning, Severity::Note}) {
        const std::string one(severityText(severity));
        counts.push_back({one, one + "s", tally_.countOf(severity)});
    }
    for (const FindingKind& kind : FindingKinds) {
        if (const std::uint64_t found = tally_.countOf(numberOf(kind.code)); found != 0) {
            const std::string what = "C" + std::to_string(numberOf(kind.code)) + " (" + std::string(kind.meaning) + ")";
            counts.push_back({"finding " + what, "findings " + what, found});
        }
    }
}

} // namespace borvelin
