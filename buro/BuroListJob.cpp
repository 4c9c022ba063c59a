// SPDX-License-Identifier: GPL-3.0-or-later
#include "buro/BuroListJob.h"

#include "listline/BureauLine.h"
#include "listline/LineLayout.h"

namespace borvelin {

void BuroListJob::lineStep(std::string_view textLine)
{
    textLine = blankShortLine(textLine);
    ++state_.RecCount;
    if (isBureauLine(textLine))
        writeLine(textLine);
    showProgressIfDue();
}

} // namespace borvelin
