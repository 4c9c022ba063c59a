// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/StationFields.h"

#include "listline/LineLayout.h"
#include "listline/TextSearch.h"

#include <algorithm>

namespace borvelin {

namespace {

using layout::Keyword;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text from the 1-based `column` on.
std::string_view from(std::string_view line, std::size_t column)
{
    return column - 1 < line.size() ? line.substr(column - 1) : std::string_view();
}

struct Split {
    std::string_view field;
    std::string_view rest;
};

// The word at the start of `text` and what follows it.
Split firstWordOf(std::string_view text)
{
    const auto end = std::min(text.find(' '), text.size());
    return {text.substr(0, end), trimmed(text.substr(end))};
}

// A "NOT via" names its call, perhaps with an address beside it, up to a "!" and its note.
Split upToNote(std::string_view text)
{
    const auto note = std::min(text.find('!'), text.size());
    return {trimmed(text.substr(0, note)), trimmed(text.substr(note))};
}

std::string_view keywordOf(RouteChoice route)
{
    switch (route) {
    case RouteChoice::QslVia: return layout::textOf(Keyword::QslVia);
    case RouteChoice::NotVia: return layout::textOf(Keyword::NotVia);
    case RouteChoice::NotMore: return layout::textOf(Keyword::NotMore);
    case RouteChoice::NotLonger: return layout::textOf(Keyword::NotLonger);
    case RouteChoice::Pirate: return layout::textOf(Keyword::Pirate);
    case RouteChoice::HomeCall: return layout::textOf(Keyword::HomeCall);
    case RouteChoice::Direct:
    case RouteChoice::Bureau: break;
    }
    return {};
}

RouteChoice choiceOf(RouteKind kind)
{
    switch (kind) {
    case RouteKind::Manager: return RouteChoice::QslVia;
    case RouteKind::HomeCall: return RouteChoice::HomeCall;
    case RouteKind::NotVia: return RouteChoice::NotVia;
    case RouteKind::NotMore: return RouteChoice::NotMore;
    case RouteKind::NotLonger: return RouteChoice::NotLonger;
    case RouteKind::Pirate: return RouteChoice::Pirate;
    case RouteKind::Bureau: return RouteChoice::Bureau;
    case RouteKind::Direct:
    case RouteKind::None: break;
    }
    return RouteChoice::Direct;
}

} // namespace

std::string_view routeChoiceText(RouteChoice route)
{
    switch (route) {
    case RouteChoice::Direct: return "direct address";
    case RouteChoice::Bureau: return "bureau";
    default: return keywordOf(route);
    }
}

bool routeTakesManagerOrAddress(RouteChoice route)
{
    return route != RouteChoice::Pirate && route != RouteChoice::HomeCall;
}

StationFields fieldsOfLine(std::string_view line, RouteKind kind)
{
    StationFields fields;
    fields.call = firstWord(line);
    fields.route = choiceOf(kind);
    const std::string_view keyword = keywordOf(fields.route);
    if (keyword.empty() || !standsAt(line, keyword, layout::RouteColumn)) {
        // An address, or a keyword away from its column: all of it stays one text.
        fields.route = kind == RouteKind::Bureau ? RouteChoice::Bureau : RouteChoice::Direct;
        const std::size_t textColumn = std::max(layout::RouteColumn, fields.call.size() + 2);
        fields.managerOrAddress = trimmed(from(line, textColumn));
        return fields;
    }
    const std::string_view behind = trimmed(from(line, layout::RouteColumn + keyword.size()));
    Split split{{}, behind};
    if (fields.route == RouteChoice::NotVia)
        split = upToNote(behind);
    else if (routeTakesManagerOrAddress(fields.route))
        split = firstWordOf(behind);
    fields.managerOrAddress = split.field;
    fields.remarks = split.rest;
    return fields;
}

std::string composeLine(const StationFields& fields)
{
    std::string line = fields.call;
    line.resize(std::max(line.size() + 1, layout::RouteColumn - 1), ' ');
    const std::string_view keyword = keywordOf(fields.route);
    const std::string_view named = trimmed(fields.managerOrAddress);
    const std::string_view remarks = trimmed(fields.remarks);
    line += keyword;
    if (routeTakesManagerOrAddress(fields.route) && !named.empty())
        line.append(keyword.empty() ? "" : " ").append(named);
    if (!remarks.empty()) {
        // A note after "!" and a comma stand right behind what they follow.
        const bool joined = remarks.front() == '!' || remarks.front() == ',';
        if (line.size() >= layout::RouteColumn && !joined)
            line += ' ';
        line += remarks;
    }
    return line;
}

} // namespace borvelin
