// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/StopRequest.h"

#include "jobs/JobError.h"

#include <atomic>

namespace borvelin {

namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> stopFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free);

} // namespace

void requestStop() noexcept
{
    stopFlag.store(true, std::memory_order_relaxed);
}

bool stopRequested() noexcept
{
    return stopFlag.load(std::memory_order_relaxed);
}

void clearStopRequest() noexcept
{
    stopFlag.store(false, std::memory_order_relaxed);
}

void stopIfRequested()
{
    if (stopRequested())
        throw JobError(ErrorNumber::UserInterrupt, "User interrupt occurred");
}

} // namespace borvelin
