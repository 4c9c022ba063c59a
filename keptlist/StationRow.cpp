// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/StationRow.h"

#include "listline/RouteReader.h"
#include "listline/TextSearch.h"

namespace borvelin {

namespace {

// The route as the commands read it: the one reader of the program.
template <typename Use>
auto withRoute(std::string_view line, Use use)
{
    RouteReader reader;
    return use(reader.read(line));
}

std::string joined(const LineRoute& route)
{
    std::string text;
    for (std::size_t index = 0; index < route.addressPartCount; ++index)
        text.append(index == 0 ? "" : ", ").append(route.addressParts[index]);
    return text;
}

} // namespace

StationRow readStationRow(std::string_view line)
{
    return withRoute(line, [line](const LineRoute& route) {
        StationRow row;
        row.call = firstWord(line);
        row.route = route.kind;
        row.fields = fieldsOfLine(line, route.kind);
        row.remarks = row.fields.remarks;
        const std::string address = joined(route);
        row.managerOrAddress = route.call;
        if (!address.empty())
            row.managerOrAddress += row.managerOrAddress.empty() ? address : "; " + address;
        return row;
    });
}

std::string_view routeText(RouteKind route)
{
    switch (route) {
    case RouteKind::Manager: return routeChoiceText(RouteChoice::QslVia);
    case RouteKind::HomeCall: return routeChoiceText(RouteChoice::HomeCall);
    case RouteKind::Direct: return routeChoiceText(RouteChoice::Direct);
    case RouteKind::NotVia: return routeChoiceText(RouteChoice::NotVia);
    case RouteKind::NotMore: return routeChoiceText(RouteChoice::NotMore);
    case RouteKind::NotLonger: return routeChoiceText(RouteChoice::NotLonger);
    case RouteKind::Pirate: return routeChoiceText(RouteChoice::Pirate);
    case RouteKind::Bureau: return routeChoiceText(RouteChoice::Bureau);
    case RouteKind::None: break;
    }
    return "no route";
}

std::string managerKeyOf(std::string_view line)
{
    return withRoute(line, [](const LineRoute& route) {
        std::string key;
        if (route.kind == RouteKind::Manager || route.kind == RouteKind::HomeCall)
            for (const char byte : route.call)
                key += inCapitals(byte);
        return key;
    });
}

} // namespace borvelin
