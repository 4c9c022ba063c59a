#include "buro/BuroListJob.h"

#include "managers/BureauLine.h"

namespace borvelin {

void BuroListJob::lineStep()
{
    blankShortLine();
    ++state_.RecCount;
    if (isBureauLine(state_.TextLine))
        writeLine(state_.TextLine);
    showProgressIfDue();
}

} // namespace borvelin
