// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/RouteOfRow.h"

namespace borvelin {

ParsedRoute routeOfParsedLine(std::string_view parsedLine, const ListEntry& entry)
{
    RouteReader reader;
    return reader.routeOf(parsedLine, entry);
}

} // namespace borvelin
