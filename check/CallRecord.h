// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lookup/RouteKind.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace borvelin {

// What the checks across lines keep of one call (or bureau name) of the list, in a
// fixed size. Line numbers count from 1; 0 means none.
struct CallRecord {
    std::uint64_t key = 0; // the call's hash; 0 marks a free slot of the index

    // The first route the call's lines give, and the first line that gives another.
    std::uint32_t firstRoute = 0;
    std::uint32_t firstRouteLine = 0;
    std::uint32_t otherRoute = 0;
    std::uint32_t otherRouteLine = 0;
    // The first "NOT via", as the route it forbids.
    std::uint32_t notVia = 0;
    std::uint32_t notViaLine = 0;
    // The call's first two different lines, and while the lines are checked the latest.
    static constexpr std::size_t RememberedLines = 2;
    std::array<std::uint32_t, RememberedLines> lineIds{};
    std::array<std::uint32_t, RememberedLines> lineNumbers{};
    std::uint32_t latestLineId = 0;
    std::uint32_t latestLine = 0;
    // The call's first own line that says PIRATE, NOT MORE or NOT LONGER, and which.
    std::uint32_t stopLine = 0;
    RouteKind stopKind = RouteKind::None;
    // A station line has this call as its home call.
    bool homeNamed = false;
    // The call's first own line that sends its cards via another manager.
    std::uint32_t chainLine = 0;
};

} // namespace borvelin
