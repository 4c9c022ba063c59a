// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/Finding.h"
#include "check/OwnLineChecker.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// The findings Check List gives a line by itself (C1, C2, C3, C8, C11, C12 and C13), by
// Check List's own checker: what the station dialog shows as the user types. The checks
// across lines (C4 to C7, C9, C10) need the whole list, and come with Check List.
class LineFindings {
public:
    // The line's rows as QSLCHK.CSV would hold them for line `lineNumber`, in the order
    // of their codes, each without its line break.
    std::vector<std::string> rowsOf(std::string_view line, std::uint64_t lineNumber = 1);

private:
    std::vector<Finding> findings_;
    OwnLineChecker line_;
};

} // namespace borvelin
