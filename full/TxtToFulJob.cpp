// SPDX-License-Identifier: GPL-3.0-or-later
#include "full/TxtToFulJob.h"

#include "listline/LineLayout.h"

namespace borvelin {

void TxtToFulJob::lineStep(std::string_view textLine)
{
    if (!isRecordLine(textLine)) {
        ++shortLines_;
        return;
    }
    ++state_.RecCount;
    writeLine(RecordMarker);
    writeLine(firstWord(textLine));
    writeLine(textLine);
    showProgressIfDue();
}

void TxtToFulJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"short line left out", "short lines left out", shortLines_});
}

} // namespace borvelin
