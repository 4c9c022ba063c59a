// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/StationRow.h"

#include "jobs/ConversionJob.h"
#include "keptlist/RouteOfRow.h"
#include "listline/LineFailureLog.h"
#include "listline/ListLineParser.h"
#include "listline/TextSearch.h"

namespace borvelin {

namespace {

class IgnoredFailures : public LineFailureLog {
public:
    void logFailure(std::string_view, std::string_view) override {}
};

// The grammar as the commands run it; a line too short for a route reads as a blank.
template <typename Use>
auto withRoute(std::string_view line, Use use)
{
    IgnoredFailures noLog;
    ListLineParser parser(noLog);
    ListEntry entry;
    const std::string_view parsed = parser.parse(ConversionJob::blankShortLine(line), entry);
    return use(routeOfParsedLine(parsed, entry));
}

std::string joined(const ParsedRoute& route)
{
    std::string text;
    for (std::size_t index = 0; index < route.addressPartCount; ++index)
        text.append(index == 0 ? "" : ", ").append(route.addressParts[index]);
    return text;
}

} // namespace

StationRow readStationRow(std::string_view line)
{
    return withRoute(line, [line](const ParsedRoute& route) {
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
    return withRoute(line, [](const ParsedRoute& route) {
        std::string key;
        if (route.kind == RouteKind::Manager || route.kind == RouteKind::HomeCall)
            for (const char byte : route.call)
                key += inCapitals(byte);
        return key;
    });
}

} // namespace borvelin
