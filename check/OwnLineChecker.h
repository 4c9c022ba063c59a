// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/Finding.h"
#include "check/LineChecks.h"
#include "check/LineFacts.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "listline/RouteReader.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// The checks one line takes by itself, as Check List's second pass runs them: the lines
// the parser would log become findings C1, then C2, C3, C8, C11, C12 and C13. What the
// line says of its calls is left in facts(), for the checks across lines. Check List
// checks each line with one, and so does the station dialog as the user types.
class OwnLineChecker : private LineFailureLog {
public:
    OwnLineChecker() = default;
    OwnLineChecker(const OwnLineChecker&) = delete;
    OwnLineChecker& operator=(const OwnLineChecker&) = delete;

    // Reads the line: its C1 findings, the short line's C13, its facts. `findings` is
    // cleared first.
    void read(std::string_view line, std::vector<Finding>& findings);
    // The line's own checks, after read().
    void check(std::vector<Finding>& findings);

    const ListEntry& entry() const { return entry_; }
    const LineFacts& facts() const { return facts_; }

private:
    void logFailure(std::string_view line, std::string_view message) override;

    std::vector<Finding>* findings_ = nullptr;
    // The messages of the line's C1 findings; a deque keeps them in place as it grows.
    std::deque<std::string> failureTexts_;
    std::size_t failureCount_ = 0;
    std::string_view textLine_;
    ListLineParser parser_{*this};
    ListEntry entry_;
    RouteReader routes_;
    LineChecks lineChecks_;
    LineFacts facts_;
};

} // namespace borvelin
