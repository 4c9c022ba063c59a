// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/List25Job.h"

namespace borvelin {

List25Job::List25Job(JobState& state, StatusSink& status, ManagerTally& tally, JobFiles& files)
    : ConversionJob(state, status, files), tally_(tally), tallyBeforeRun_(tally), managers_(tally), parser_(*this)
{
}

std::string_view List25Job::lineStep(std::string_view line)
{
    entry_.reset();
    ++state_.RecCount;
    const std::string_view textLine = blankShortLine(line);
    showProgressIfDue();
    const std::string_view parsed = parser_.parse(textLine, entry_);
    entry_.writeRecord(lineSpace(entry_.recordLength()));
    if (!entry_.MgrCall.empty())
        managers_.add(entry_.MgrCall);
    return parsed;
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
    WriteManagerList();
}

void List25Job::afterFailure() noexcept
{
    tally_ = std::move(tallyBeforeRun_);
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
        if (hits >= ManagerThreshold)
            writeLine(call);
    }
}

} // namespace borvelin
