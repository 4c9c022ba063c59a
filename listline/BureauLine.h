// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace borvelin {

// Does the line name a QSL bureau rather than a station? Either its first word is a
// short country prefix with no route keyword at the route column, or it is a longer
// word and no digit stands in the call area (every call holds a digit there).
bool isBureauLine(std::string_view line);
// The same, for a line whose firstWord is known.
bool isBureauLine(std::string_view line, std::string_view firstWord);

} // namespace borvelin
