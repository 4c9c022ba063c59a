// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/BureauLine.h"

#include "listline/LineLayout.h"
#include "listline/TextSearch.h"

#include <algorithm>

namespace borvelin {

namespace {

bool routeKeywordAtRouteColumn(std::string_view line)
{
    return std::any_of(layout::RouteKeywords.begin(), layout::RouteKeywords.end(), [line](layout::Keyword keyword) {
        return standsAt(line, layout::textOf(keyword), layout::RouteColumn);
    });
}

bool digitInCallArea(std::string_view line)
{
    const std::string_view callArea = line.substr(0, layout::CallAreaEnd);
    return std::any_of(callArea.begin(), callArea.end(), [](char byte) { return byte >= '0' && byte <= '9'; });
}

} // namespace

bool isBureauLine(std::string_view line)
{
    return isBureauLine(line, firstWord(line));
}

bool isBureauLine(std::string_view line, std::string_view firstWord)
{
    if (firstWord.size() <= layout::BureauPrefixLength)
        return !routeKeywordAtRouteColumn(line);
    return !digitInCallArea(line);
}

} // namespace borvelin
