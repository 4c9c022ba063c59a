// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/RouteReader.h"

#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "text/Capitals.h"
#include "text/Trimmed.h"

namespace borvelin {

namespace {

void addAddress(LineRoute& route, const ListEntry& entry, bool skipFirstPart)
{
    const std::string_view* parts[] = {&entry.Addr1, &entry.Addr2, &entry.Addr3, &entry.Addr4, &entry.AddrRest};
    for (std::size_t index = skipFirstPart ? 1 : 0; index < std::size(parts); ++index)
        if (!parts[index]->empty())
            route.addressParts[route.addressPartCount++] = *parts[index];
}

bool hasAddress(const ListEntry& entry)
{
    return !entry.Addr1.empty() || !entry.Addr2.empty() || !entry.Addr3.empty() || !entry.Addr4.empty() ||
           !entry.AddrRest.empty();
}

} // namespace

std::string_view notViaCallBesideAddress(std::string_view firstAddressPart)
{
    const std::string_view keyword = layout::textOf(layout::Keyword::NotVia);
    if (firstAddressPart.size() < keyword.size() ||
        !equalInCapitals(firstAddressPart.substr(0, keyword.size()), keyword))
        return {};
    return trimmed(firstAddressPart.substr(keyword.size()), Blanks::Spaces);
}

bool RouteReader::homeCallOccurs(std::string_view line)
{
    keywords_.scan(line, layout::RouteColumn);
    return keywords_.occurs(layout::Keyword::HomeCall);
}

LineRoute RouteReader::routeOf(std::string_view line, const ListEntry& entry)
{
    LineRoute route;
    const std::string_view station = firstWord(line);
    switch (entry.RouteCode) {
    case NotRoute::NotVia:
        route.kind = RouteKind::NotVia;
        if (!entry.NotViaCall.empty()) {
            route.call = entry.NotViaCall;
        } else {
            route.call = notViaCallBesideAddress(entry.Addr1);
            addAddress(route, entry, true);
        }
        return route;
    case NotRoute::NotLonger:
        route.kind = RouteKind::NotLonger;
        route.call = entry.NotViaCall;
        return route;
    case NotRoute::NotMore:
        route.kind = RouteKind::NotMore;
        route.call = entry.NotViaCall;
        return route;
    case NotRoute::None: break;
    }
    if (entry.PirateFlag) {
        route.kind = RouteKind::Pirate;
        return route;
    }
    if (!entry.MgrCall.empty()) {
        // A home call with a portable prefix is cut as the manager, suffix and all; only
        // the keyword tells it from "QSL via" a call, and only a portable call has it.
        const bool maybeHomeCall = !entry.CallPrefix.empty();
        if (maybeHomeCall && homeCallOccurs(line)) {
            route.kind = RouteKind::HomeCall;
            route.call = callshape::homeCallPartOf(station);
        } else {
            route.kind = RouteKind::Manager;
            route.call = entry.MgrCall;
        }
        return route;
    }
    if (entry.BuroFlag) {
        route.kind = RouteKind::Bureau;
        addAddress(route, entry, false);
        return route;
    }
    if (hasAddress(entry)) {
        route.kind = RouteKind::Direct;
        addAddress(route, entry, false);
        return route;
    }
    if (line.size() < layout::RouteColumn)
        return route;
    if (homeCallOccurs(line)) {
        if (station.size() >= 3) {
            route.kind = RouteKind::HomeCall;
            route.call = callshape::homeCallPartOf(station);
        }
    } else if (keywords_.column(layout::Keyword::QslVia) == layout::RouteColumn) {
        route.kind = RouteKind::Manager; // "QSL via" and no call after it
    }
    return route;
}

LineRoute RouteReader::read(std::string_view line)
{
    const std::string_view parsed = parser_.parse(blankShortLine(line), entry_);
    return routeOf(parsed, entry_);
}

} // namespace borvelin
