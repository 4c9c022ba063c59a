// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/PendingManagers.h"

#include <algorithm>

namespace borvelin {

void PendingManagers::add(std::string_view call)
{
    // A longer call, which a list hardly holds, is counted at once.
    if (call.size() > std::tuple_size_v<decltype(Pending::call)>) {
        countAll();
        tally_.AddManager(call);
        return;
    }
    Pending pending;
    std::copy(call.begin(), call.end(), pending.call.begin());
    pending.length = static_cast<std::uint8_t>(call.size());
    pending.hash = callHash(call);
    pending_.add(pending, *this);
}

} // namespace borvelin
