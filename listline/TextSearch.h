// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/Capitals.h"

#include <cstddef>
#include <string_view>

namespace borvelin {

// True when `what` begins exactly at the 1-based `column` of `line`, ignoring case.
inline bool standsAt(std::string_view line, std::string_view what, std::size_t column)
{
    if (column == 0 || column - 1 > line.size() || line.size() - (column - 1) < what.size())
        return false;
    return equalInCapitals(line.substr(column - 1, what.size()), what);
}

} // namespace borvelin
