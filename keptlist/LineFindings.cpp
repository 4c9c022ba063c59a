// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/LineFindings.h"

#include <algorithm>

namespace borvelin {

std::vector<std::string> LineFindings::rowsOf(std::string_view line, std::uint64_t lineNumber)
{
    line_.read(line, findings_);
    line_.check(findings_);
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const Finding& a, const Finding& b) { return a.code < b.code; });
    std::vector<std::string> rows;
    for (const Finding& finding : findings_)
        appendRow(rows.emplace_back(), lineNumber, finding);
    return rows;
}

} // namespace borvelin
