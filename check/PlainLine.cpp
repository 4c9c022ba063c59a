// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/PlainLine.h"

#include "calls/CallHash.h"
#include "listline/LineLayout.h"
#include "text/Capitals.h"
#include "text/Trimmed.h"

#include <cstdint>
#include <cstring>

namespace borvelin {

std::string_view plainManagerOf(std::string_view line)
{
    const std::string_view keyword = layout::textOf(layout::Keyword::QslVia);
    if (line.size() < layout::ManagerColumn ||
        !equalInCapitals(line.substr(layout::RouteColumn - 1, keyword.size()), keyword))
        return {};
    const std::string_view text = withoutTrailingSpaces(line);
    if (text.size() < layout::ManagerColumn)
        return {};
    const std::string_view manager = text.substr(layout::ManagerColumn - 1);
    // Nothing after the manager's call but blanks.
    return manager.find(' ') == std::string_view::npos ? manager : std::string_view();
}

} // namespace borvelin
