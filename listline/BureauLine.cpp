// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/BureauLine.h"

#include "listline/LineLayout.h"
#include "listline/TextSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace borvelin {

namespace {

bool routeKeywordAtRouteColumn(std::string_view line)
{
    return std::any_of(layout::RouteKeywords.begin(), layout::RouteKeywords.end(), [line](layout::Keyword keyword) {
        return standsAt(line, layout::textOf(keyword), layout::RouteColumn);
    });
}

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

// Is one of the eight bytes a digit? `^ '0'` turns the digits, and only them, into the
// bytes below 10; subtracting 10 from each byte sets the top bit of one that was below
// 10 and had it clear. Whether a digit stands there decides the Buro list's every line,
// and looking at the bytes together spares a branch for each.
bool holdsDigit(const char* eightBytes)
{
    constexpr std::uint64_t EachByte = 0x0101010101010101;
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, eightBytes, sizeof bytes);
    const std::uint64_t turned = bytes ^ (EachByte * '0');
    return ((turned - EachByte * 10) & ~turned & (EachByte * 0x80)) != 0;
}

bool digitInCallArea(std::string_view line)
{
    static_assert(layout::CallAreaEnd >= 8 && layout::CallAreaEnd <= 16);
    if (line.size() < layout::CallAreaEnd)
        return std::any_of(line.begin(), line.end(), isDigit);
    return holdsDigit(line.data()) || holdsDigit(line.data() + layout::CallAreaEnd - 8);
}

bool isBureauLine(std::string_view line, bool shortFirstWord)
{
    return shortFirstWord ? !routeKeywordAtRouteColumn(line) : !digitInCallArea(line);
}

} // namespace

// The first word is short when a space stands within its first bytes, or the line ends.
bool isBureauLine(std::string_view line)
{
    const std::string_view start = line.substr(0, layout::BureauPrefixLength + 1);
    return isBureauLine(line, start.size() <= layout::BureauPrefixLength ||
                                  std::find(start.begin(), start.end(), ' ') != start.end());
}

bool isBureauLine(std::string_view line, std::string_view firstWord)
{
    return isBureauLine(line, firstWord.size() <= layout::BureauPrefixLength);
}

} // namespace borvelin
