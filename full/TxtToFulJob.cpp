#include "full/TxtToFulJob.h"

#include "listline/LineLayout.h"

namespace borvelin {

void TxtToFulJob::lineStep()
{
    if (!isRecordLine())
        return;
    ++state_.RecCount;
    writeLine(RecordMarker);
    writeLine(firstWord(state_.TextLine));
    writeLine(state_.TextLine);
    showProgressIfDue();
}

} // namespace borvelin
