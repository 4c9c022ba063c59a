// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

// error: the line is misread or the card goes astray; warning: probably wrong; note.
enum class Severity : std::uint8_t { Error, Warning, Note };

std::string_view severityText(Severity severity);
// The severity a row of QSLCHK.CSV gives, read from the row.
Severity severityOfRow(std::string_view row);

// The codes C1 to C13 of Check List.
constexpr int FirstCode = 1;
constexpr int LastCode = 13;

// One finding of Check List, a row of QSLCHK.CSV. It holds views into the line in hand
// and its entry, and its message is written from its parts only when the row is: a list
// may have a finding on every line.
struct Finding {
    Severity severity = Severity::Note;
    std::uint8_t code = 0;
    // Which of the code's messages, where it has two.
    std::uint8_t variant = 0;
    std::string_view call;    // the line's first word
    std::string_view keyword; // a keyword the message names
    std::string_view named;   // a call (or, for C1, the failure's message) the message names
    std::uint32_t number = 0; // a line or a column the message names
};

// What a code means, in a few words: "a line List of 25+ logs".
std::string_view codeMeaning(int code);

// Appends the finding's row of QSLCHK.CSV, without its line break.
void appendRow(std::string& text, std::uint64_t lineNumber, const Finding& finding);

} // namespace borvelin
