// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallTable.h"
#include "calls/LookAheadRing.h"
#include "listline/LineLayout.h"
#include "listline/RouteReader.h"

#include <cstddef>
#include <cstdint>
#include <span>
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
    // The list, once every call is noted: its lines in order, in as many pieces as come.
    void beginList();
    void takeListLines(std::span<const std::string_view> lines);
    void endList();
    // nullptr when the list does not have the station.
    const StationRoutes* find(std::string_view qsoCall) const;

    // A list line whose home call may have been noted, waiting while its home call's
    // slot and record are asked for.
    struct Candidate {
        std::string line;
        std::string call; // the first word in capitals
        std::string home;
        std::uint64_t hash = 0;
    };
    void askForSlot(const Candidate& candidate) const { homes_.prefetchSlot(candidate.hash); }
    void askForRecord(const Candidate& candidate) const { homes_.prefetchRecord(candidate.hash); }
    void take(const Candidate& candidate);

private:
    struct ListedCall {
        std::string call; // as the list writes it, in capitals
        StationRoutes routes;
    };
    // A home call beside its lines, so that the look-up that compares it also fetches them.
    struct NotedHome {
        std::string call;
        std::vector<ListedCall> listed;
    };

    void takeLine(StationRoutes& station, std::string_view line);
    void takeLine(std::vector<ListedCall>& calls, std::string_view call, std::string_view line);
    static auto isHome(std::string_view home)
    {
        return [home](const NotedHome& noted) { return noted.call == home; };
    }

    // Most list lines name a call the log never worked: a filter in front of the home
    // calls noted, at this many bits each, settles them from the cache.
    static constexpr std::size_t FilterBitsPerHome = 32;

    CallTable<NotedHome> homes_;
    RouteReader routes_; // of the lines of the calls noted
    LookAheadRing<Candidate, 8> waiting_;
    Candidate next_;       // the line in hand, its strings used again and again
    std::string portable_; // the home call of a portable call in hand
};

} // namespace borvelin
