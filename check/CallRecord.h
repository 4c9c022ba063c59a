// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallHash.h"
#include "listline/RouteKind.h"
#include <string_view>

#include <cstddef>
#include <cstdint>

namespace borvelin {

// What the checks across lines keep of one call (or bureau name) of the list, in one
// cache line: a list may name a million calls, each looked up on both passes. Line
// numbers count from 1; 0 means none.
struct alignas(64) CallRecord {
    std::uint64_t key = 0; // the call's key (callKey)

    // The first route the call's lines give, and the first line that gives another.
    std::uint32_t firstRoute = 0;
    std::uint32_t firstRouteLine = 0;
    std::uint32_t otherRoute = 0;
    std::uint32_t otherRouteLine = 0;
    // The first "NOT via", as the route it forbids.
    std::uint32_t notVia = 0;
    std::uint32_t notViaLine = 0;
    // The call's first line, and while the lines are checked the latest other one.
    std::uint32_t firstLineId = 0;
    std::uint32_t firstLine = 0;
    std::uint32_t latestLineId = 0;
    std::uint32_t latestLine = 0;
    // The call's first own line that says PIRATE, NOT MORE or NOT LONGER, and which.
    std::uint32_t stopLine = 0;
    // The call's first own line that sends its cards via another manager.
    std::uint32_t chainLine = 0;
    RouteKind stopKind = RouteKind::None;
    // A station line has this call as its home call.
    bool homeNamed = false;
    // Another line names the call as its manager, or after "see also".
    bool namedAsManager = false;
    bool namedAfterSeeAlso = false;
    // The call's own lines: none, one, or more (counted up to 2).
    std::uint8_t ownLines = 0;

    // What the line-by-line pass can ask of this record: the lines of a call with one
    // line of its own have nothing to compare with.
    bool neededWhenChecking() const
    {
        return ownLines > 1 || (namedAsManager && (stopLine != 0 || chainLine != 0)) || namedAfterSeeAlso;
    }
};
static_assert(sizeof(CallRecord) == 64);

// A call's key: its hash, 0 kept for "no call".
inline std::uint64_t callKeyOfHash(std::uint64_t hash)
{
    return hash == 0 ? 1 : hash;
}
inline std::uint64_t callKey(std::string_view call)
{
    return callKeyOfHash(callHash(call));
}

} // namespace borvelin
