// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/RouteKind.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

// The routes the station dialog offers, in the order it offers them.
enum class RouteChoice : std::uint8_t { QslVia, NotVia, NotMore, NotLonger, Pirate, HomeCall, Direct, Bureau };

constexpr std::array<RouteChoice, 8> RouteChoices = {RouteChoice::QslVia,    RouteChoice::NotVia, RouteChoice::NotMore,
                                                     RouteChoice::NotLonger, RouteChoice::Pirate, RouteChoice::HomeCall,
                                                     RouteChoice::Direct,    RouteChoice::Bureau};

// "QSL via", "NOT via", "NOT MORE", "NOT LONGER", "PIRATE", "QSL via Home Call", "direct
// address", "bureau".
std::string_view routeChoiceText(RouteChoice route);
// Whether the route names a call or an address in the field after it.
bool routeTakesManagerOrAddress(RouteChoice route);

// A station's line in the parts the station dialog edits.
struct StationFields {
    std::string call;
    RouteChoice route = RouteChoice::QslVia;
    // The manager after "QSL via", the call after a NOT route (with the address beside
    // a "NOT via"), or the address of a direct route or a bureau.
    std::string managerOrAddress;
    // What follows the route on the line, as it stands: "New Manager", "(Ex-Q4OLD)",
    // "! new info".
    std::string remarks;

    bool operator==(const StationFields&) const = default;
};

// The parts of a line whose route the commands read as `kind`. A line that gives no
// route keeps the text from the route column on as an address.
StationFields fieldsOfLine(std::string_view line, RouteKind kind);
// The line in the list's columns: the call at column 1, the route at column 14 and a
// manager at column 22, as List of 25+ reads them. A call longer than 12 characters
// pushes the route out of its column; Check List then says so.
std::string composeLine(const StationFields& fields);

} // namespace borvelin
