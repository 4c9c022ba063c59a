// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keptlist/FindingRow.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// The findings of Check List's QSLCHK.CSV by the line they name. Check List writes its
// rows in the order of the lines, so the line of each row is all that is kept (4 bytes a
// row), and where every 64th row begins; a line's rows are read from the file when they
// are shown. A list of ten million lines with a finding on every line costs 40 MB.
class CheckFindings {
public:
    // Reads `fileName`; throws JobError when it cannot be read, or when its rows do not
    // follow the lines (it was not written by Check List).
    explicit CheckFindings(std::string fileName);

    bool has(std::uint64_t line) const;
    // The findings of the list's line `line` (from 1), in the file's order; `call` is the
    // line's first word.
    std::vector<FindingRow> of(std::uint64_t line, std::string_view call) const;
    // The lines from `first` to `last` that have findings, each once, in order.
    void linesBetween(std::uint64_t first, std::uint64_t last, const std::function<void(std::uint64_t)>& take) const;

    // After the list was saved: the findings of line N go to line `newLineOf(N)`, or go
    // when it gives none. Lines keep their order in a save.
    void moveLines(const std::function<std::optional<std::uint64_t>(std::uint64_t)>& newLineOf);

private:
    static constexpr std::uint64_t RowsPerMark = 64;

    void index();
    void addRow(std::uint64_t start, std::string_view head);
    std::vector<std::string> readRows(std::uint64_t first, std::uint64_t count) const;
    // The rows of `line`: [first, end).
    std::pair<std::uint64_t, std::uint64_t> rowsOf(std::uint64_t line) const;

    std::string fileName_;
    std::vector<std::uint32_t> lineOfRow_; // ascending
    std::vector<std::uint64_t> marks_;     // where rows 0, 64, 128, ... begin
    std::vector<bool> gone_;               // rows whose line a save dropped
};

} // namespace borvelin
