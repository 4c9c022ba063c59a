// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

} // namespace borvelin
