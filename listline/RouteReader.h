// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/KeywordColumns.h"
#include "listline/LineFailureLog.h"
#include "listline/LineRoute.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"

#include <string_view>

namespace borvelin {

// Tells the route of a line of the list from what the grammar cut from it: the one way
// the program reads a route, for lookup, Check List, import and Fill QSL Via alike, so
// that all four give one answer for one line.
//
// Most lines need only the ListEntry; the few that do not (Home Call, a "QSL via"
// without a call) are scanned for their keywords once more.
class RouteReader {
public:
    RouteReader() = default;
    RouteReader(const RouteReader&) = delete;
    RouteReader& operator=(const RouteReader&) = delete;

    // The route of `parsedLine`, which the grammar has cut into `entry`.
    LineRoute routeOf(std::string_view parsedLine, const ListEntry& entry);
    // Parses `line` first, as List of 25+ parses it (a short line as a blank); the
    // route's views are valid until the next read.
    LineRoute read(std::string_view line);
    // What the grammar cut from the line last read.
    const ListEntry& entry() const { return entry_; }

private:
    bool homeCallOccurs(std::string_view line);

    KeywordColumns keywords_;
    IgnoredFailures noLog_;
    ListLineParser parser_{noLog_};
    ListEntry entry_;
};

// The call after "NOT via" on a line whose NOT via is followed by an address: the
// grammar leaves it in the first address part, keyword included.
std::string_view notViaCallBesideAddress(std::string_view firstAddressPart);

} // namespace borvelin
