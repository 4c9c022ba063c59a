// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/Finding.h"
#include "check/LineChecks.h"
#include "check/LineFacts.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// The findings Check List gives a line by itself (C1, C2, C3, C8, C11, C12 and C13), by
// Check List's own checks: what the station dialog shows as the user types. The checks
// across lines (C4 to C7, C9, C10) need the whole list, and come with Check List.
class LineFindings : private LineFailureLog {
public:
    // The line's rows as QSLCHK.CSV would hold them for line `lineNumber`, in the order
    // of their codes, each without its line break.
    std::vector<std::string> rowsOf(std::string_view line, std::uint64_t lineNumber = 1);

private:
    void logFailure(std::string_view line, std::string_view message) override;

    std::vector<Finding> findings_;
    std::deque<std::string> failureTexts_; // the C1 messages, kept in place as it grows
    ListLineParser parser_{*this};
    ListEntry entry_;
    LineChecks lineChecks_;
    LineFacts facts_;
};

} // namespace borvelin
