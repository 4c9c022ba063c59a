// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/LineLayout.h"

#include <cstdint>

namespace borvelin {

// How a line of the list tells the cards to go.
enum class RouteKind : std::uint8_t {
    Manager,   // QSL via a manager
    HomeCall,  // QSL via Home Call
    Direct,    // direct to an address
    NotVia,    // NOT via a call (with an address, or not)
    NotMore,   // NOT MORE
    NotLonger, // NOT LONGER
    Pirate,    // PIRATE
    Bureau,    // a bureau line
    None,      // no route the grammar reads
};

// The keyword that gives a line the route; Keyword::Count for a route without one.
constexpr layout::Keyword keywordOf(RouteKind kind)
{
    using layout::Keyword;
    switch (kind) {
    case RouteKind::Manager: return Keyword::QslVia;
    case RouteKind::HomeCall: return Keyword::HomeCall;
    case RouteKind::NotVia: return Keyword::NotVia;
    case RouteKind::NotMore: return Keyword::NotMore;
    case RouteKind::NotLonger: return Keyword::NotLonger;
    case RouteKind::Pirate: return Keyword::Pirate;
    default: return Keyword::Count;
    }
}

} // namespace borvelin
