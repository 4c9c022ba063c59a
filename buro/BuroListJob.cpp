#include "buro/BuroListJob.h"

#include "listline/BureauLine.h"

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
