// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/List25Job.h"

namespace borvelin {

List25Job::List25Job(JobState& state, StatusSink& status, JobFiles& files)
    : ConversionJob(state, status, files), managers_(tally_)
{
}

void List25Job::prepare(std::size_t workers, std::size_t blocksPerBatch)
{
    while (parsers_.size() < workers)
        parsers_.emplace_back();
    parsed_.resize(blocksPerBatch);
}

void List25Job::work(std::size_t worker, const LineBlock& block)
{
    parsers_[worker].parse(block.lines, parsed_[block.index]);
}

void List25Job::takeUp(const LineBlock& lines)
{
    const ParsedBlock& block = parsed_[lines.index];
    auto failure = block.failures.begin();
    std::size_t recordBegin = 0;
    std::size_t callBegin = 0;
    for (std::size_t line = 0; line < block.lines.size(); ++line) {
        ++state_.RecCount;
        showProgressIfDue();
        if (failure != block.failures.end() && failure->line == line)
            managers_.countAll(); // the managers named before are counted first
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

std::string List25Job::progressText() const
{
    return "Rec: " + std::to_string(state_.RecCount) + " " + std::to_string(tally_.MgrCount());
}

void List25Job::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"manager with 25 or more records", "managers with 25 or more records", managersListed_});
    counts.push_back({"entry logged", "entries logged", entriesLogged()});
}

void List25Job::writeGathered()
{
    parsed_ = {}; // room for sorting the managers
    WriteManagerList();
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
