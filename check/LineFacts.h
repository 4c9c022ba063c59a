// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/ListEntry.h"
#include "listline/RouteReader.h"

#include <cstdint>
#include <string_view>

namespace borvelin {

// What the checks need to know of one parsed line; views into the line and its entry.
struct LineFacts {
    std::string_view firstWord;
    // The line names a station (not a bureau): its first word is the station's call.
    bool station = false;
    LineRoute route;
    std::string_view seeAlso; // the call after "see also"
    // Identities, as hashes, compared only among the lines of one call: of the route
    // the line gives (a manager, a home call or an address; 0 for any other route),
    // and of the line's text without its trailing blanks.
    std::uint32_t routeId = 0;
    std::uint32_t lineId = 0;
    // The index keys of the first word and of the manager (0 when there is none).
    std::uint64_t key = 0;
    std::uint64_t managerKey = 0;
};

// What the first pass keeps of a line for the checks across lines: keys and
// identities only, so that a block of lines can be read away from the job's thread and
// taken up later. A key of 0 stands for none.
struct SurveyFacts {
    std::uint64_t key = 0;        // of the first word
    std::uint64_t homeKey = 0;    // of the first word's home call
    std::uint64_t managerKey = 0; // of the manager, when the line names another station's
    std::uint64_t seeAlsoKey = 0; // of the home call of a well-formed "see also" call
    std::uint32_t routeId = 0;
    std::uint32_t notViaId = 0; // the route a "NOT via" forbids
    std::uint32_t lineId = 0;
    RouteKind kind = RouteKind::None;
    bool station = false;
};

// The facts of a parsed line, written into `facts`.
void readFacts(std::string_view line, const ListEntry& entry, const LineRoute& route, LineFacts& facts);
// The facts of a line that gives only "QSL via `manager`" (see PlainLine.h).
void readPlainFacts(std::string_view line, std::string_view manager, LineFacts& facts);

SurveyFacts surveyFactsOf(const LineFacts& facts);
// The station sends its cards via a manager other than itself.
bool namesOtherManager(const LineFacts& facts);

// The identity of "QSL via `call`": a home call and a manager of the same call are one route.
std::uint32_t managerRouteId(std::string_view call);

} // namespace borvelin
