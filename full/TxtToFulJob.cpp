// SPDX-License-Identifier: GPL-3.0-or-later
#include "full/TxtToFulJob.h"

#include "listline/LineLayout.h"

namespace borvelin {

void TxtToFulJob::lineStep(std::string_view textLine)
{
    if (!isRecordLine(textLine))
        return;
    ++state_.RecCount;
    writeLine(RecordMarker);
    writeLine(firstWord(textLine));
    writeLine(textLine);
    showProgressIfDue();
}

} // namespace borvelin
