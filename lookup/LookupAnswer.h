// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/RouteKind.h"

#include <cstdint>
#include <string>
#include <vector>

namespace borvelin {

// One line of the list that names the call asked for as its station.
struct LookupHit {
    std::uint64_t lineNumber = 0; // from 1
    std::string line;             // as read
    RouteKind route = RouteKind::None;
    // The manager, the home call, or the call a NOT route names; empty when none.
    std::string manager;
    // A direct or bureau address, or the address beside a NOT via: its parts joined by ", ".
    std::string address;
    // The remarks in words: "New Manager", "only direct", "Ex-Q4OLD", "see also Q3XYZ",
    // "for Q5XYZ", "himself via Q6ABC".
    std::vector<std::string> remarks;
};

// The answer for one call asked for: the lines that name it, in the list's order.
struct LookupAnswer {
    std::string call; // as asked
    std::vector<LookupHit> hits;

    bool found() const { return !hits.empty(); }
};

// The route of a hit in words, for the user: "QSL via Q2MGR", "direct to P.O. Box 9,
// Capital City", "NOT via Q2MGR", "PIRATE", ...
std::string routeInWords(const LookupHit& hit);
void appendRouteInWords(std::string& text, const LookupHit& hit);

} // namespace borvelin
