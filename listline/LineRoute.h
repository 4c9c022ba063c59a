// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/CallShape.h"
#include "listline/RouteKind.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace borvelin {

// The route one line of the list gives its station, as views into the line and what the
// grammar cut from it: valid while both stay unchanged.
struct LineRoute {
    RouteKind kind = RouteKind::None;
    // The manager (Manager), the home call (HomeCall) or the call of a NOT route, as it
    // stands on the line; may be empty when the line names none.
    std::string_view call;
    // The address parts, in order, empty parts left out: of a direct address, a bureau,
    // or the address beside a NOT via.
    std::array<std::string_view, 5> addressParts{};
    std::size_t addressPartCount = 0;

    // The call the route names is shaped like a call. A route to a call that is none (a
    // manager "q2mgr)") is read, reported and shown, but never written into a log.
    bool namesWellFormedCall() const { return callshape::isWellFormedCall(call); }
};

} // namespace borvelin
