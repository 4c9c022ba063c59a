// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/PlainLine.h"

#include "listline/LineLayout.h"
#include "lookup/CallHash.h"

#include <cstdint>
#include <cstring>

namespace borvelin {

std::string_view withoutTrailingBlanks(std::string_view line)
{
    constexpr std::uint64_t Blanks = 0x2020202020202020ULL; // eight at a time
    std::size_t length = line.size();
    for (std::uint64_t bytes = 0; length >= 8; length -= 8) {
        std::memcpy(&bytes, line.data() + length - 8, 8);
        if (bytes != Blanks)
            break;
    }
    while (length > 0 && line[length - 1] == ' ')
        --length;
    return line.substr(0, length);
}

std::string_view plainManagerOf(std::string_view line)
{
    const std::string_view keyword = layout::textOf(layout::Keyword::QslVia);
    if (line.size() < layout::ManagerColumn ||
        !equalInCapitals(line.substr(layout::RouteColumn - 1, keyword.size()), keyword))
        return {};
    const std::string_view text = withoutTrailingBlanks(line);
    if (text.size() < layout::ManagerColumn)
        return {};
    const std::string_view manager = text.substr(layout::ManagerColumn - 1);
    // Nothing after the manager's call but blanks.
    return manager.find(' ') == std::string_view::npos ? manager : std::string_view();
}

} // namespace borvelin
