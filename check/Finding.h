// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

// error: the line is misread or the card goes astray; warning: probably wrong; note.
enum class Severity : std::uint8_t { Error, Warning, Note };

constexpr std::string_view severityText(Severity severity)
{
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
    }
    return "";
}

// The codes C1 to C13 of Check List.
constexpr int FirstCode = 1;
constexpr int LastCode = 13;

// One finding of Check List: a row of QSLCHK.CSV.
struct Finding {
    std::uint64_t lineNumber = 0;
    Severity severity = Severity::Note;
    int code = 0;
    std::string call; // the line's first word
    std::string message;
};

} // namespace borvelin
