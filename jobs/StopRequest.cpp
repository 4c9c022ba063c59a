// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/StopRequest.h"

#include "jobs/JobError.h"

#include <csignal>

namespace borvelin {

namespace {

volatile std::sig_atomic_t stopFlag = 0; // a signal handler may write nothing else

} // namespace

void requestStop() noexcept
{
    stopFlag = 1;
}

bool stopRequested() noexcept
{
    return stopFlag != 0;
}

void stopIfRequested()
{
    if (stopRequested())
        throw JobError(ErrorNumber::UserInterrupt, "User interrupt occurred");
}

} // namespace borvelin
