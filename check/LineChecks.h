// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/Finding.h"
#include "check/LineFacts.h"
#include "listline/KeywordColumns.h"
#include "listline/ListEntry.h"

#include <string_view>
#include <vector>

namespace borvelin {

// The checks that look at one line only: C2, C3, C8, C11, C12 and C13.
class LineChecks {
public:
    void check(std::string_view line, const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings);
    // A line of 12 bytes or fewer reaches the grammar as a blank; a bureau name
    // standing alone on it has no address (C13).
    void checkShortLine(std::string_view line, std::vector<Finding>& findings);

private:
    void checkStationCall(const LineFacts& facts, std::vector<Finding>& findings);
    void checkNamedCalls(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings);
    void checkOwnManager(const LineFacts& facts, std::vector<Finding>& findings);
    void checkRouteColumn(std::string_view line, const LineFacts& facts, std::vector<Finding>& findings);
    void checkBureauAddress(std::string_view line, const LineFacts& facts, std::vector<Finding>& findings);

    KeywordColumns keywords_;
};

// callshape::isWellFormedCall, quicker.
bool isWellFormed(std::string_view call);

} // namespace borvelin
