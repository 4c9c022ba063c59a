// SPDX-License-Identifier: GPL-3.0-or-later
#include "cluster/ClusterExportJob.h"

#include "jobs/StopRequest.h"
#include "listline/LineLayout.h"

#include <string>

namespace borvelin {

ClusterExportJob::ClusterExportJob(JobState& state, StatusSink& status, JobFiles& files, std::size_t runBytes)
    : ConversionJob(state, status, files), lines_("QSLCLU.FUL", runBytes)
{
}

void ClusterExportJob::lineStep(std::string_view textLine)
{
    if (!isRecordLine(textLine) || firstWord(textLine).empty() || textLine.starts_with(RecordEnd))
        return;
    ++state_.RecCount;
    lines_.add(textLine);
    showProgressIfDue();
}

void ClusterExportJob::writeGathered()
{
    std::string call;
    bool recordOpen = false;
    lines_.forEachInCallOrder([&](std::string_view lineCall, std::string_view line) {
        if (!recordOpen || lineCall != call) {
            stopIfRequested();
            if (recordOpen)
                writeLine(RecordEnd);
            call = lineCall;
            writeLine(call);
            ++calls_;
            recordOpen = true;
        }
        writeLine(line);
    });
    if (recordOpen)
        writeLine(RecordEnd);
}

void ClusterExportJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"call", "calls", calls_});
}

} // namespace borvelin
