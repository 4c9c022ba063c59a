// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keptlist/FindingRow.h"
#include "keptlist/ListFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace borvelin {

// The findings of Check List's QSLCHK.CSV by the line they name: where each row is and
// its line, not the rows, which are read when a line's findings are shown. A list with
// a finding on every line costs 24 bytes a line.
class CheckFindings {
public:
    // Reads `fileName`; throws JobError when it cannot.
    explicit CheckFindings(const std::string& fileName);

    std::uint64_t count() const { return byLine_.size(); }
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
    ListFile rows_;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> byLine_; // (line, row), by line
};

} // namespace borvelin
