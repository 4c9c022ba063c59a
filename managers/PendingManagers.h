// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/LookAheadRing.h"
#include "managers/ManagerTally.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace borvelin {

// The managers of the latest records, counted in the tally Depth records late, so that
// what counting a call reads is on its way from memory when it is counted. The tally's
// errors come as late, each naming the line of its record; countAll() brings everything
// up to date.
class PendingManagers {
public:
    static constexpr std::size_t Depth = 16;

    explicit PendingManagers(ManagerTally& tally) : tally_(tally) {}

    // One record more for `call`, from the list's line `line`; counts the oldest pending
    // record when Depth are waiting.
    void add(std::string_view call, std::uint64_t line);
    // Counts every pending record, the oldest first.
    void countAll() { pending_.takeAll(*this); }

    // The ring's steps.
    struct Pending {
        // A copy of the call: the line it was cut from is gone by the time it is counted.
        std::array<char, 15> call;
        std::uint8_t length;
        std::uint64_t hash;
        std::uint64_t line;
    };
    void askForSlot(const Pending& pending) const { tally_.askForSlot(pending.hash); }
    void askForRecord(const Pending& pending) const { tally_.askForRecord(pending.hash); }
    void take(const Pending& pending) { count({pending.call.data(), pending.length}, pending.hash, pending.line); }

private:
    void count(std::string_view call, std::uint64_t hash, std::uint64_t line);

    ManagerTally& tally_;
    LookAheadRing<Pending, Depth> pending_;
};

} // namespace borvelin
