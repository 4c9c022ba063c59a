// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/PendingManagers.h"

#include "jobs/JobError.h"

#include <algorithm>

namespace borvelin {

void PendingManagers::add(std::string_view call, std::uint64_t line)
{
    if (call.size() > LongestCall) {
        countAll();
        count(call, ManagerTally::hashOf(call), line);
        return;
    }
    if (waiting_ == Depth)
        countOldest();
    Pending& next = pending_[(oldest_ + waiting_) % Depth];
    std::copy(call.begin(), call.end(), next.call.begin());
    next.length = static_cast<std::uint8_t>(call.size());
    next.hash = ManagerTally::hashOf(call);
    next.line = line;
    tally_.prepareFor(next.hash);
    ++waiting_;
}

void PendingManagers::countAll()
{
    while (waiting_ > 0)
        countOldest();
}

void PendingManagers::countOldest()
{
    const Pending& oldest = pending_[oldest_];
    oldest_ = (oldest_ + 1) % Depth;
    --waiting_;
    count(std::string_view(oldest.call.data(), oldest.length), oldest.hash, oldest.line);
}

void PendingManagers::count(std::string_view call, std::uint64_t hash, std::uint64_t line)
{
    try {
        tally_.AddManager(call, hash);
    } catch (const JobError& error) {
        throw error.at(error.fileName(), line);
    }
}

} // namespace borvelin
