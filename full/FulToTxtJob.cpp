#include "full/FulToTxtJob.h"

namespace borvelin {

void FulToTxtJob::lineStep()
{
    if (!isRecordLine())
        return;
    ++state_.RecCount;
    writeLine(state_.TextLine);
    showProgressIfDue();
}

} // namespace borvelin
