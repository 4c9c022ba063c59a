// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keptlist/StationFields.h"
#include "listline/RouteKind.h"

#include <string>
#include <string_view>

namespace borvelin {

// A row of the list as the window's table shows it, read by the commands' rules.
struct StationRow {
    std::string call; // the first word
    RouteKind route = RouteKind::None;
    // The manager, the home call or the call of a NOT route, with the address beside a
    // "NOT via"; the address of a direct route or a bureau, its parts joined by ", ".
    std::string managerOrAddress;
    std::string remarks;  // as the line has them
    StationFields fields; // as the station dialog edits them
};

StationRow readStationRow(std::string_view line);

// The route as the table names it: "QSL via", "QSL via Home Call", "direct address",
// "bureau", ...; "no route" for a line whose route the grammar cannot read.
std::string_view routeText(RouteKind route);

// The call in capitals that sorting by manager sorts by: the manager or the home call;
// empty for every other route.
std::string managerKeyOf(std::string_view line);

} // namespace borvelin
