// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/FindingCode.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

std::string_view severityText(Severity severity);
// The severity a row of QSLCHK.CSV gives, read from the row.
Severity severityOfRow(std::string_view row);

// One finding of Check List, a row of QSLCHK.CSV. It holds views into the line in hand
// and its entry, and its message is written from its parts only when the row is: a list
// may have a finding on every line.
struct Finding {
    Severity severity = Severity::Note;
    FindingCode code = FindingCode::LoggedByList25;
    // Which of the code's messages, where it has two.
    std::uint8_t variant = 0;
    std::string_view call;    // the line's first word
    std::string_view keyword; // a keyword the message names
    std::string_view named;   // a call (or, for C1, the failure's message) the message names
    std::uint32_t number = 0; // a line or a column the message names
};

// Appends the finding's row of QSLCHK.CSV, without its line break.
void appendRow(std::string& text, std::uint64_t lineNumber, const Finding& finding);

} // namespace borvelin
