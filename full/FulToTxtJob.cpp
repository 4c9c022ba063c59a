// SPDX-License-Identifier: GPL-3.0-or-later
#include "full/FulToTxtJob.h"

namespace borvelin {

void FulToTxtJob::lineStep(std::string_view textLine)
{
    if (!isRecordLine(textLine))
        return;
    ++state_.RecCount;
    writeLine(textLine);
    showProgressIfDue();
}

} // namespace borvelin
