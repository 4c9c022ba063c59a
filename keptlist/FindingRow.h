// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace borvelin {

// A row of QSLCHK.CSV: line number;severity;code;call;message.
struct FindingRow {
    std::uint64_t line = 0;
    std::string severity; // "error", "warning" or "note"
    int code = 0;
    std::string message;
};

// Reads a row. The call is the line's first word, which may itself hold a ";": given the
// line's `call`, the message is found behind it even then.
std::optional<FindingRow> parseFindingRow(std::string_view row, std::string_view call = {});

// "error C3: the call after "QSL via", Q%GL, is not a well-formed call".
std::string findingInWords(const FindingRow& finding);

} // namespace borvelin
