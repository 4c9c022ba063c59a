// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/LineSource.h"
#include "listline/LineLayout.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace borvelin {

// What the manager list says of one station, from all of its lines.
struct StationRoutes {
    bool listed = false;
    std::string manager; // of its first line that names one
    bool pirate = false;
    std::vector<std::pair<layout::Keyword, std::string>> notRoutes; // NOT via, NOT MORE, NOT LONGER
};

// The manager list's routes for the calls of one log. The log's home calls are noted
// first, then one pass over the list keeps only the lines of those: memory grows with the
// stations the log worked, not with the list, and only their lines are read closely.
//
// Letter case is ignored and portable forms are found both ways: Q1ABC/P and QA/Q1ABC
// find the lines of Q1ABC, and Q1ABC those of Q1ABC/P. Of the lines of one home call,
// the one of the call itself wins, then that of the call without its suffix (the
// prefix names the country), then that of the home call, then the first.
class RouteBook {
public:
    void noteCall(std::string_view qsoCall);
    void readList(LineSource& list);
    // nullptr when the list does not have the station.
    const StationRoutes* find(std::string_view qsoCall) const;

private:
    struct ListedCall {
        std::string call; // as the list writes it, in capitals
        StationRoutes routes;
    };

    static void takeLine(StationRoutes& station, std::string_view line);
    static void takeLine(std::vector<ListedCall>& calls, std::string_view call, std::string_view line);

    // The home calls noted, in an open-addressing table: a slot holds the home call's
    // index + 1 (0: free) and 32 bits of its hash, so that the many list lines whose
    // call the log never worked are passed over on the slot alone.
    struct Slot {
        std::uint32_t home = 0;
        std::uint32_t fingerprint = 0;
    };
    static constexpr std::size_t NotNoted = static_cast<std::size_t>(-1);
    std::size_t slotOf(std::string_view homeCall, std::uint32_t fingerprint) const;
    std::size_t indexOf(std::string_view homeCall) const;
    std::size_t indexOf(std::string_view homeCall, std::uint32_t fingerprint) const;
    void grow();

    std::vector<Slot> slots_;
    // One bit per value of the hash's top bits, set for every home call noted: small
    // enough to stay in the cache, it settles most list lines without a look at the slots.
    static constexpr unsigned HashBitsFiltered = 20;
    std::vector<std::uint64_t> noted_ = std::vector<std::uint64_t>((std::size_t{1} << HashBitsFiltered) / 64);
    bool mayBeNoted(std::uint32_t fingerprint) const
    {
        const std::uint32_t bit = fingerprint >> (32 - HashBitsFiltered);
        return (noted_[bit / 64] >> (bit % 64)) & 1u;
    }
    // A home call beside its lines, so that the look-up that compares it also fetches them.
    struct NotedHome {
        std::string call;
        std::vector<ListedCall> listed;
    };
    std::vector<NotedHome> homes_;
};

} // namespace borvelin
