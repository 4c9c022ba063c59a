// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/KeywordColumns.h"
#include "listline/ListEntry.h"
#include "lookup/RouteKind.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace borvelin {

// The route of one parsed line, as views into the line and its ListEntry: valid while
// both stay unchanged.
struct ParsedRoute {
    RouteKind kind = RouteKind::None;
    // The manager (Manager), the home call (HomeCall) or the call of a NOT route; may
    // be empty when the line names none.
    std::string_view call;
    // The address parts, in order, empty parts left out: of a direct address, a bureau,
    // or the address beside a NOT via.
    std::array<std::string_view, 5> addressParts{};
    std::size_t addressPartCount = 0;
};

// Tells the route of a line from what the grammar cut from it. Most lines need only the
// ListEntry; the few that do not (Home Call, a "QSL via" without a call) are scanned
// for their keywords once more.
class RouteReader {
public:
    ParsedRoute routeOf(std::string_view line, const ListEntry& entry);

private:
    bool homeCallOccurs(std::string_view line);

    KeywordColumns keywords_;
};

// The call after "NOT via" on a line whose NOT via is followed by an address: the
// grammar leaves it in the first address part, keyword included.
std::string_view notViaCallBesideAddress(std::string_view firstAddressPart);

} // namespace borvelin
