// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/List25Job.h"

#include <algorithm>
#include <system_error>
#include <thread>

namespace borvelin {

List25Job::List25Job(JobState& state, StatusSink& status, JobFiles& files)
    : ConversionJob(state, status, files), managers_(tally_), log_(files), parser_(*this)
{
    if (std::thread::hardware_concurrency() < 2)
        return;
    try {
        sharing_ =
            std::make_unique<SharedBatch>([this](std::size_t worker, std::size_t block) { parseBlock(worker, block); },
                                          [this](std::size_t block) { takeUp(block); });
        blocks_.resize((LinesPerBatch + BlockLines - 1) / BlockLines);
    } catch (const std::system_error&) {
        // No second thread to be had: every line goes through lineStep.
    }
}

std::string_view List25Job::lineStep(std::string_view line)
{
    ++state_.RecCount;
    const std::string_view textLine = blankShortLine(line);
    showProgressIfDue();
    const std::string_view parsed = parser_.parse(textLine, entry_);
    entry_.writeRecord(lineSpace(entry_.recordLength()));
    if (!entry_.MgrCall.empty())
        managers_.add(entry_.MgrCall, state_.RecCount);
    return parsed;
}

std::string_view List25Job::batchStep(std::span<const std::string_view> lines)
{
    if (!sharing_ || lines.size() <= BlockLines) // not worth a second thread
        return ConversionJob::batchStep(lines);
    batch_ = lines;
    const std::size_t blocks = (lines.size() + BlockLines - 1) / BlockLines;
    sharing_->run(blocks);
    return blocks_[blocks - 1].lastLine;
}

void List25Job::parseBlock(std::size_t worker, std::size_t block)
{
    const std::size_t first = block * BlockLines;
    blockParsers_[worker].parse(batch_.subspan(first, std::min(BlockLines, batch_.size() - first)), blocks_[block]);
}

// What lineStep does with each line beyond parsing it, in the same order.
void List25Job::takeUp(std::size_t index)
{
    const ParsedBlock& block = blocks_[index];
    if (block.error)
        std::rethrow_exception(block.error);
    auto failure = block.failures.begin();
    std::size_t recordBegin = 0;
    std::size_t callBegin = 0;
    for (std::size_t line = 0; line < block.lines.size(); ++line) {
        stopIfRequestedBeforeLine();
        ++state_.RecCount;
        showProgressIfDue();
        for (; failure != block.failures.end() && failure->line == line; ++failure)
            logFailure(failure->text, failure->message);
        const auto [recordEnd, callEnd] = block.lines[line];
        writeLine(std::string_view(block.records).substr(recordBegin, recordEnd - recordBegin));
        if (callEnd != callBegin)
            managers_.add(std::string_view(block.calls).substr(callBegin, callEnd - callBegin), state_.RecCount);
        recordBegin = recordEnd;
        callBegin = callEnd;
    }
}

void List25Job::finishLines()
{
    managers_.countAll();
}

void List25Job::logFailure(std::string_view line, std::string_view message)
{
    managers_.countAll();
    log_.logFailure(line, message);
}

std::string List25Job::progressText() const
{
    return "Rec: " + std::to_string(state_.RecCount) + " " + std::to_string(tally_.MgrCount());
}

void List25Job::afterStreamsClosed()
{
    blocks_ = {}; // room for sorting the managers
    WriteManagerList();
}

void List25Job::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"manager with 25 or more records", "managers with 25 or more records", managersListed_});
    counts.push_back({"entry logged", "entries logged", log_.entries()});
}

void List25Job::WriteManagerList()
{
    state_.OutFileName = ManagerFileName;
    status_.setPanelText(ToPanel, "To: " + state_.OutFileName);
    openNextOutput(state_.OutFileName);
    const auto managers = tally_.SortManagers();
    const std::string total = std::to_string(managers.size());
    for (std::size_t i = 1; i <= managers.size(); ++i) {
        if (i % ProgressInterval == 0)
            status_.setPanelText(ProgressPanel, "MGR: " + std::to_string(i) + "/" + total);
        const auto& [call, hits] = managers[i - 1];
        if (hits >= ManagerThreshold) {
            writeLine(call);
            ++managersListed_;
        }
    }
}

} // namespace borvelin
