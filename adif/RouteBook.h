// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/LineSource.h"
#include "listline/LineLayout.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace borvelin {

// What the manager list says of one station, from all of its lines.
struct StationRoutes {
    bool listed = false;
    std::string manager; // of its first line that names one
    bool pirate = false;
    std::vector<std::pair<layout::Keyword, std::string>> notRoutes; // NOT via, NOT MORE, NOT LONGER
};

// The manager list's routes for the calls of one log. The log's home calls are noted
// first, then one pass over the list keeps only the lines of those: memory grows with the
// stations the log worked, not with the list, and only their lines are read closely.
//
// Letter case is ignored and portable forms are found both ways: Q1ABC/P and QA/Q1ABC
// find the lines of Q1ABC, and Q1ABC those of Q1ABC/P. Of the lines of one home call,
// the one of the call itself wins, then that of the call without its suffix (the
// prefix names the country), then that of the home call, then the first.
class RouteBook {
public:
    void noteCall(std::string_view qsoCall);
    void readList(LineSource& list);
    // nullptr when the list does not have the station.
    const StationRoutes* find(std::string_view qsoCall) const;

private:
    struct ListedCall {
        std::string call; // as the list writes it, in capitals
        StationRoutes routes;
    };

    static void takeLine(StationRoutes& station, std::string_view line);
    void takeLine(std::vector<ListedCall>& calls, const std::string& call, std::string_view line);

    std::unordered_map<std::string, std::vector<ListedCall>> byHomeCall_;
};

} // namespace borvelin
