// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/LineLayout.h"
#include "text/Capitals.h"

#include <string>
#include <string_view>

namespace borvelin {

// The route a manager-list line gives its station, as a look-up needs it: the calls
// whole and in capitals, read from the line's columns. Unlike the 18 values of List of
// 25+, which keep their cuts byte for byte, a call here ends where the call does, so a
// line that ends right behind its manager still names it.
struct LineRoute {
    std::string call;    // the first word, portable parts included
    std::string manager; // after "QSL via", or the home call of a "QSL via Home Call" line
    bool pirate = false;
    // "NOT via", "NOT MORE" or "NOT LONGER" at the route column, and the call it names;
    // Keyword::Count when the line has none.
    layout::Keyword notRoute = layout::Keyword::Count;
    std::string notCall;
};

LineRoute routeOfLine(std::string_view line);

} // namespace borvelin
