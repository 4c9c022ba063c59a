// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/PendingManagers.h"

#include <algorithm>

namespace borvelin {

void PendingManagers::add(std::string_view call)
{
    if (call.size() > LongestCall) {
        countAll();
        tally_.AddManager(call);
        return;
    }
    if (waiting_ == Depth)
        countOldest();
    Pending& next = pending_[(oldest_ + waiting_) % Depth];
    std::copy(call.begin(), call.end(), next.call.begin());
    next.length = static_cast<std::uint8_t>(call.size());
    next.hash = ManagerTally::hashOf(call);
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
    tally_.AddManager(std::string_view(oldest.call.data(), oldest.length), oldest.hash);
}

} // namespace borvelin
