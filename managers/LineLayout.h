#pragma once

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
constexpr std::size_t ManagerColumn = 22;
// On a station's line a digit stands within the call area, columns 1 to 12.
constexpr std::size_t CallAreaEnd = 12;
// A first word this long or shorter, without a route keyword, names a bureau's country.
constexpr std::size_t BureauPrefixLength = 3;

constexpr std::string_view QslVia = "QSL via";
constexpr std::string_view NotVia = "NOT via";
constexpr std::string_view NotMore = "NOT MORE";
constexpr std::string_view NotLonger = "NOT LONGER";
constexpr std::string_view Pirate = "PIRATE";
constexpr std::string_view HomeCall = "QSL via Home Call";

constexpr std::string_view NewManager = "New Manager";
constexpr std::string_view OnlyDirect = "only direct";
constexpr std::string_view ExManager = "Ex-";
constexpr std::string_view ExBuro = "Ex-Buro";
constexpr std::string_view SeeAlso = "see also";
constexpr std::string_view ForCall = "(for ";
constexpr std::string_view HimselfVia = "himself via";

// Every keyword a line is searched for, in the order of Keyword.
enum class Keyword : std::uint8_t {
    QslVia, NotVia, NotMore, NotLonger, Pirate, HomeCall,
    NewManager, OnlyDirect, ExManager, ExBuro, SeeAlso, ForCall, HimselfVia,
};
constexpr std::array<std::string_view, 13> KeywordTexts = {
    QslVia, NotVia, NotMore, NotLonger, Pirate, HomeCall,
    NewManager, OnlyDirect, ExManager, ExBuro, SeeAlso, ForCall, HimselfVia,
};

constexpr std::string_view textOf(Keyword keyword)
{
    return KeywordTexts[static_cast<std::size_t>(keyword)];
}

// The keywords that name a route.
constexpr std::array<Keyword, 5> RouteKeywords = {Keyword::QslVia, Keyword::NotVia, Keyword::NotMore, Keyword::Pirate,
                                                  Keyword::NotLonger};

} // namespace layout

// The bytes before the first space; a line without a space is its own first word.
constexpr std::string_view firstWord(std::string_view line)
{
    return line.substr(0, line.find(' '));
}

} // namespace borvelin
