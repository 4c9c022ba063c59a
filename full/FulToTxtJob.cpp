// SPDX-License-Identifier: GPL-3.0-or-later
#include "full/FulToTxtJob.h"

namespace borvelin {

std::string_view FulToTxtJob::lineStep(std::string_view textLine)
{
    if (!isRecordLine(textLine))
        return textLine;
    ++state_.RecCount;
    writeLine(textLine);
    showProgressIfDue();
    return textLine;
}

} // namespace borvelin
