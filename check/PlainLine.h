// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace borvelin {

// Most lines of a list are only a call, "QSL via" at the route column and the manager's
// call from the manager column up to a space, with nothing but blanks after it. No other
// keyword and no remark can stand on such a line, so its route is known without the
// grammar's every step: the survey of the list takes that shortcut. Returns the manager's
// call, or an empty view for any other line.
std::string_view plainManagerOf(std::string_view line);

} // namespace borvelin
