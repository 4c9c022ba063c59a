// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "managers/ManagerTally.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace borvelin {

// The managers of the latest records, counted in the tally Depth records late: a call's
// slot is fetched from memory when the call is added here, and has arrived when it is
// counted. The tally's errors come as late, each naming the line of its record;
// countAll() brings everything up to date.
class PendingManagers {
public:
    static constexpr std::size_t Depth = 16;

    explicit PendingManagers(ManagerTally& tally) : tally_(tally) {}

    // One record more for `call`, from the list's line `line`; counts the oldest pending
    // record when Depth are waiting.
    void add(std::string_view call, std::uint64_t line);
    // Counts every pending record, the oldest first.
    void countAll();

private:
    // A copy of the call: the line it was cut from is gone by the time it is counted.
    // A longer call, which a list hardly holds, is counted at once.
    static constexpr std::size_t LongestCall = 15;
    struct Pending {
        std::array<char, LongestCall> call;
        std::uint8_t length;
        std::uint64_t hash;
        std::uint64_t line;
    };

    void countOldest();
    void count(std::string_view call, std::uint64_t hash, std::uint64_t line);

    ManagerTally& tally_;
    std::array<Pending, Depth> pending_;
    std::size_t oldest_ = 0;
    std::size_t waiting_ = 0;
};

} // namespace borvelin
