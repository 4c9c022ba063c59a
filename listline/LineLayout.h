// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace borvelin {

// The fixed columns and keywords of a manager-list line. Columns are 1-based byte
// positions: the call stands at column 1, the route keyword at column 14 and a
// manager's call at column 22.
namespace layout {

constexpr std::size_t RouteColumn = 14;
// On a station's line a digit stands within the call area, columns 1 to 12.
constexpr std::size_t CallAreaEnd = 12;
// A first word this long or shorter, without a route keyword, names a bureau's country.
constexpr std::size_t BureauPrefixLength = 3;

// Every keyword a line is searched for. Count is not a keyword: it counts them.
enum class Keyword : std::uint8_t {
    QslVia,
    NotVia,
    NotMore,
    NotLonger,
    Pirate,
    HomeCall,
    NewManager,
    OnlyDirect,
    ExManager,
    ExBuro,
    SeeAlso,
    ForCall,
    HimselfVia,
    Count
};

struct KeywordText {
    Keyword keyword;
    std::string_view text;
    bool namesRoute; // stands at the route column to give the line its route
};

// The one list of the keywords and their texts, in the order of Keyword.
constexpr std::array<KeywordText, static_cast<std::size_t>(Keyword::Count)> Keywords = {{
    {Keyword::QslVia, "QSL via", true},
    {Keyword::NotVia, "NOT via", true},
    {Keyword::NotMore, "NOT MORE", true},
    {Keyword::NotLonger, "NOT LONGER", true},
    {Keyword::Pirate, "PIRATE", true},
    {Keyword::HomeCall, "QSL via Home Call", false},
    {Keyword::NewManager, "New Manager", false},
    {Keyword::OnlyDirect, "only direct", false},
    {Keyword::ExManager, "Ex-", false},
    {Keyword::ExBuro, "Ex-Buro", false},
    {Keyword::SeeAlso, "see also", false},
    {Keyword::ForCall, "(for ", false},
    {Keyword::HimselfVia, "himself via", false},
}};

constexpr bool keywordsInTheirOrder()
{
    for (std::size_t index = 0; index < Keywords.size(); ++index) {
        if (Keywords[index].keyword != static_cast<Keyword>(index) || Keywords[index].text.empty())
            return false;
    }
    return true;
}
static_assert(keywordsInTheirOrder(), "Keywords lists every Keyword once, in the enum's order");

constexpr std::string_view textOf(Keyword keyword)
{
    return Keywords[static_cast<std::size_t>(keyword)].text;
}

// The column right behind a keyword at the route column and its blank, where the call
// it names begins.
constexpr std::size_t callColumnAfter(Keyword keyword)
{
    return RouteColumn + textOf(keyword).size() + 1;
}

constexpr std::size_t ManagerColumn = callColumnAfter(Keyword::QslVia);
static_assert(ManagerColumn == 22);

// The keywords that name a route, in the order of Keywords.
constexpr std::size_t RouteKeywordCount = [] {
    std::size_t count = 0;
    for (const KeywordText& entry : Keywords)
        count += entry.namesRoute ? 1 : 0;
    return count;
}();

constexpr std::array<Keyword, RouteKeywordCount> RouteKeywords = [] {
    std::array<Keyword, RouteKeywordCount> routes{};
    std::size_t next = 0;
    for (const KeywordText& entry : Keywords)
        if (entry.namesRoute)
            routes[next++] = entry.keyword;
    return routes;
}();

} // namespace layout

// Commands that take every line of the list replace one of this many bytes or fewer
// by a single blank before the grammar sees it.
constexpr std::size_t BlankedLineLength = 12;

constexpr std::string_view blankShortLine(std::string_view line)
{
    return line.size() <= BlankedLineLength ? std::string_view(" ") : line;
}

// The bytes before the first space; a line without a space is its own first word. A
// first word is a few bytes long: a short loop finds its end sooner than a call.
constexpr std::string_view firstWord(std::string_view line)
{
    return line.substr(0, static_cast<std::size_t>(std::find(line.begin(), line.end(), ' ') - line.begin()));
}

} // namespace borvelin
