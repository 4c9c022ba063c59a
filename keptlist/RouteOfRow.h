// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/ListEntry.h"
#include "lookup/ParsedRoute.h"

#include <string_view>

namespace borvelin {

// The route of a line the grammar has cut into `entry`, as the lookup and Check List read
// it: the one place the kept list reads routes, so that its Route column, its sorting by
// manager and the station dialog's findings follow the commands' reader. Views into the
// line and the entry.
ParsedRoute routeOfParsedLine(std::string_view parsedLine, const ListEntry& entry);

} // namespace borvelin
