// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/PendingManagers.h"

#include "jobs/JobError.h"

#include <algorithm>

namespace borvelin {

void PendingManagers::add(std::string_view call, std::uint64_t line)
{
    // A longer call, which a list hardly holds, is counted at once.
    if (call.size() > std::tuple_size_v<decltype(Pending::call)>) {
        countAll();
        count(call, callHash(call), line);
        return;
    }
    Pending pending;
    std::copy(call.begin(), call.end(), pending.call.begin());
    pending.length = static_cast<std::uint8_t>(call.size());
    pending.hash = callHash(call);
    pending.line = line;
    pending_.add(pending, *this);
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
