// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/LineRoute.h"

#include "listline/CallShape.h"
#include "listline/TextSearch.h"

#include <algorithm>

namespace borvelin {

namespace {

bool isCallByte(char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte == '/';
}

// The call that begins at the 1-based `column`, up to the first byte no call holds
// (a space, "!", ",", ")"); empty when that is no well-formed call.
std::string callAt(std::string_view line, std::size_t column)
{
    if (column > line.size())
        return {};
    const std::string_view rest = line.substr(column - 1);
    const std::string_view call = rest.substr(0, std::find_if_not(rest.begin(), rest.end(), isCallByte) - rest.begin());
    return callshape::isWellFormedCall(call) ? capitals(call) : std::string();
}

// Whether `keyword` begins anywhere from the route column on, case ignored, as the
// grammar asks of "QSL via Home Call".
bool occursFromRouteColumn(std::string_view line, layout::Keyword keyword)
{
    const std::string_view text = layout::textOf(keyword);
    const char first = inSmallLetters(text.front());
    for (std::size_t column = layout::RouteColumn; column + text.size() <= line.size() + 1; ++column)
        if (inSmallLetters(line[column - 1]) == first && standsAt(line, text, column))
            return true;
    return false;
}

} // namespace

LineRoute routeOfLine(std::string_view line)
{
    using layout::Keyword;
    LineRoute route;
    route.call = capitals(firstWord(line));
    // Only the route column and one keyword matter here: a look at each is cheaper than
    // the full keyword scan List of 25+ needs.
    const auto atRouteColumn = [&](Keyword keyword) {
        return standsAt(line, layout::textOf(keyword), layout::RouteColumn);
    };
    if (occursFromRouteColumn(line, Keyword::HomeCall))
        route.manager = callshape::homeCallOf(route.call);
    else if (atRouteColumn(Keyword::QslVia))
        route.manager = callAt(line, layout::ManagerColumn);
    route.pirate = atRouteColumn(Keyword::Pirate);
    for (const Keyword notRoute : {Keyword::NotVia, Keyword::NotMore, Keyword::NotLonger}) {
        if (atRouteColumn(notRoute)) {
            route.notRoute = notRoute;
            route.notCall = callAt(line, layout::callColumnAfter(notRoute));
        }
    }
    return route;
}

} // namespace borvelin
