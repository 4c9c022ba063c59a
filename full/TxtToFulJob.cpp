// SPDX-License-Identifier: GPL-3.0-or-later
#include "full/TxtToFulJob.h"

#include "listline/LineLayout.h"

namespace borvelin {

std::string_view TxtToFulJob::lineStep(std::string_view textLine)
{
    if (!isRecordLine(textLine))
        return textLine;
    ++state_.RecCount;
    writeLine(RecordMarker);
    writeLine(firstWord(textLine));
    writeLine(textLine);
    showProgressIfDue();
    return textLine;
}

} // namespace borvelin
