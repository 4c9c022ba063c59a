// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CheckJob.h"

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
    : ConversionJob(state, secondPass_, surveyedFiles_), firstPass_(status, 0, 2), secondPass_(status, 1, 2),
      surveyedFiles_(files, crossLineChecks_, firstPass_), blocks_((LinesPerBatch + BlockLines - 1) / BlockLines),
      sharing_(makeSharedBatch([this](std::size_t worker, std::size_t block) { checkBlock(worker, block); },
                               [this](std::size_t block) { takeUp(block); }))
{
}

std::string_view CheckJob::lineStep(std::string_view line)
{
    return batchStep(std::span(&line, 1));
}

std::string_view CheckJob::batchStep(std::span<const std::string_view> lines)
{
    batch_ = lines;
    batchFirstLine_ = state_.RecCount + 1;
    const std::size_t blocks = (lines.size() + BlockLines - 1) / BlockLines;
    sharing_->run(blocks);
    return blocks_[blocks - 1].lastLine;
}

void CheckJob::checkBlock(std::size_t worker, std::size_t block)
{
    const std::size_t first = block * BlockLines;
    checkers_[worker].check(batch_.subspan(first, std::min(BlockLines, batch_.size() - first)), batchFirstLine_ + first,
                            blocks_[block]);
}

// Each line's rows in the order of their codes, C5 among them.
void CheckJob::takeUp(std::size_t index)
{
    const CheckedBlock& block = blocks_[index];
    if (block.error)
        std::rethrow_exception(block.error);
    prefetchRecords(block);
    std::size_t row = 0;
    std::size_t callBegin = 0;
    for (const CheckedBlock::Line& line : block.lines) {
        stopIfRequestedBeforeLine();
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
    finding.severity = Severity::Note;
    finding.code = 5;
    finding.call = call;
    finding.number = earlier;
    row_.clear();
    appendRow(row_, state_.RecCount, finding);
    writeLine(row_);
    tally_.count(finding.code, finding.severity);
}

std::string CheckJob::progressText() const
{
    return "Checked: " + std::to_string(state_.RecCount) + ", findings: " + std::to_string(tally_.total());
}

void CheckJob::afterStreamsClosed()
{
    status_.setPanelText(ProgressPanel, tally_.summary());
}

// The totals of each severity, then each code found with what it means.
void CheckJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    for (const Severity severity : {Severity::Error, Severity::Warning, Severity::Note}) {
        const std::string one(severityText(severity));
        counts.push_back({one, one + "s", tally_.countOf(severity)});
    }
    for (int code = 1; code <= LastCode; ++code) {
        if (const std::uint64_t found = tally_.countOf(code); found != 0) {
            const std::string what = "C" + std::to_string(code) + " (" + std::string(codeMeaning(code)) + ")";
            counts.push_back({"finding " + what, "findings " + what, found});
        }
    }
}

} // namespace borvelin
