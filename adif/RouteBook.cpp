// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/RouteBook.h"

#include "listline/CallShape.h"
#include "listline/LineRoute.h"

#include <algorithm>

namespace borvelin {

namespace {

// Longer first words are no calls; they are passed over without a look-up.
constexpr std::size_t LongestFirstWord = 32;

std::string_view trimmedCall(std::string_view call)
{
    const std::size_t first = call.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return call.substr(first, call.find_last_not_of(' ') - first + 1);
}

} // namespace

void RouteBook::noteCall(std::string_view qsoCall)
{
    const std::string_view call = trimmedCall(qsoCall);
    if (!call.empty())
        byHomeCall_.try_emplace(callshape::homeCallOf(call));
}

void RouteBook::readList(LineSource& list)
{
    std::string line;
    std::string call;
    while (list.readLine(line)) {
        const std::string_view word = firstWord(line);
        if (word.empty() || word.size() > LongestFirstWord)
            continue;
        call = capitals(word);
        // Without a "/" the call is its own home call.
        const auto home = byHomeCall_.find(call.find('/') == std::string::npos ? call : callshape::homeCallOf(call));
        if (home != byHomeCall_.end())
            takeLine(home->second, call, line);
    }
}

void RouteBook::takeLine(std::vector<ListedCall>& calls, const std::string& call, std::string_view line)
{
    const auto listed =
        std::find_if(calls.begin(), calls.end(), [&](const ListedCall& known) { return known.call == call; });
    takeLine(listed != calls.end() ? listed->routes : calls.emplace_back(ListedCall{call, {}}).routes, line);
}

void RouteBook::takeLine(StationRoutes& station, std::string_view line)
{
    LineRoute route = routeOfLine(line);
    station.listed = true;
    if (station.manager.empty())
        station.manager = std::move(route.manager);
    station.pirate = station.pirate || route.pirate;
    if (route.notRoute != layout::Keyword::Count && !route.notCall.empty())
        station.notRoutes.emplace_back(route.notRoute, std::move(route.notCall));
}

const StationRoutes* RouteBook::find(std::string_view qsoCall) const
{
    const std::string_view trimmed = trimmedCall(qsoCall);
    if (trimmed.empty())
        return nullptr;
    const std::string home = callshape::homeCallOf(trimmed);
    const auto listed = byHomeCall_.find(home);
    if (listed == byHomeCall_.end() || listed->second.empty())
        return nullptr;
    const std::string call = capitals(trimmed);
    const std::size_t lastSlash = call.rfind('/');
    const bool endsInSuffix = lastSlash != std::string::npos && call.substr(lastSlash + 1) != home;
    const std::string withoutSuffix = endsInSuffix ? call.substr(0, lastSlash) : call;
    for (const std::string& wanted : {call, withoutSuffix, home})
        for (const ListedCall& candidate : listed->second)
            if (candidate.call == wanted)
                return &candidate.routes;
    return &listed->second.front().routes;
}

} // namespace borvelin
