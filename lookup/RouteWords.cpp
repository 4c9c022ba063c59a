// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/LookupAnswer.h"

namespace borvelin {

namespace {

std::string orUnnamed(const std::string& call)
{
    return call.empty() ? std::string("a call not given") : call;
}

std::string withAddress(std::string words, const std::string& address)
{
    if (!address.empty())
        words += "; direct to " + address;
    return words;
}

} // namespace

std::string routeInWords(const LookupHit& hit)
{
    switch (hit.route) {
    case RouteKind::Manager: return "QSL via the manager " + orUnnamed(hit.manager);
    case RouteKind::HomeCall: return "QSL via the home call " + orUnnamed(hit.manager);
    case RouteKind::Direct: return "direct to " + hit.address;
    case RouteKind::NotVia: return withAddress("NOT via " + orUnnamed(hit.manager), hit.address);
    case RouteKind::NotMore: return "NOT MORE via " + orUnnamed(hit.manager);
    case RouteKind::NotLonger: return "NOT LONGER via " + orUnnamed(hit.manager);
    case RouteKind::Pirate: return "PIRATE: not the station itself; no card";
    case RouteKind::Bureau: return hit.address.empty() ? "a bureau, without an address" : "bureau: " + hit.address;
    case RouteKind::None: break;
    }
    return "no route the list's grammar can read";
}

} // namespace borvelin
