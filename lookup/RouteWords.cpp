// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/LookupAnswer.h"

namespace borvelin {

namespace {

void appendOrUnnamed(std::string& text, const std::string& call)
{
    text.append(call.empty() ? std::string_view("a call not given") : std::string_view(call));
}

} // namespace

// Appended where they go, without a string of their own: an answer may have many lines.
void appendRouteInWords(std::string& text, const LookupHit& hit)
{
    switch (hit.route) {
    case RouteKind::Manager: text.append("QSL via the manager "); break;
    case RouteKind::HomeCall: text.append("QSL via the home call "); break;
    case RouteKind::Direct: text.append("direct to ").append(hit.address); return;
    case RouteKind::NotVia: text.append("NOT via "); break;
    case RouteKind::NotMore: text.append("NOT MORE via "); break;
    case RouteKind::NotLonger: text.append("NOT LONGER via "); break;
    case RouteKind::Pirate: text.append("PIRATE: not the station itself; no card"); return;
    case RouteKind::Bureau:
        if (hit.address.empty())
            text.append("a bureau, without an address");
        else
            text.append("bureau: ").append(hit.address);
        return;
    case RouteKind::None: text.append("no route the list's grammar can read"); return;
    }
    appendOrUnnamed(text, hit.manager);
    if (hit.route == RouteKind::NotVia && !hit.address.empty())
        text.append("; direct to ").append(hit.address);
}

std::string routeInWords(const LookupHit& hit)
{
    std::string text;
    appendRouteInWords(text, hit);
    return text;
}

} // namespace borvelin
