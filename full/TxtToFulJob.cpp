// SPDX-License-Identifier: GPL-3.0-or-later
#include "full/TxtToFulJob.h"

#include "listline/LineLayout.h"

namespace borvelin {

std::string_view TxtToFulJob::lineStep(std::string_view textLine)
{
    if (!isRecordLine(textLine)) {
        ++shortLines_;
        return textLine;
    }
    ++state_.RecCount;
    writeLine(RecordMarker);
    writeLine(firstWord(textLine));
    writeLine(textLine);
    showProgressIfDue();
    return textLine;
}

void TxtToFulJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    counts.push_back({"short line left out", "short lines left out", shortLines_});
}

} // namespace borvelin
