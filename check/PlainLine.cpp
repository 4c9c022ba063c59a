// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/PlainLine.h"

#include "listline/LineLayout.h"
#include "lookup/CallHash.h"

namespace borvelin {

std::string_view plainManagerOf(std::string_view line)
{
    const std::string_view keyword = layout::textOf(layout::Keyword::QslVia);
    if (line.size() < layout::ManagerColumn ||
        !equalInCapitals(line.substr(layout::RouteColumn - 1, keyword.size()), keyword))
        return {};
    std::string_view manager = line.substr(layout::ManagerColumn - 1);
    const auto space = manager.find(' ');
    if (space != std::string_view::npos && manager.find_first_not_of(' ', space) != std::string_view::npos)
        return {};
    return manager.substr(0, space);
}

} // namespace borvelin
