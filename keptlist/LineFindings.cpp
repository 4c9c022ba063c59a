// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/LineFindings.h"

#include "jobs/ConversionJob.h"
#include "keptlist/RouteOfRow.h"
#include "listline/LineLayout.h"

#include <algorithm>

namespace borvelin {

// The steps of Check List's second pass for one line, in its order.
std::vector<std::string> LineFindings::rowsOf(std::string_view line, std::uint64_t lineNumber)
{
    findings_.clear();
    failureTexts_.clear();
    const bool shortLine = line.size() <= ConversionJob::BlankedLineLength;
    if (shortLine)
        lineChecks_.checkShortLine(line, findings_);
    const std::string_view textLine = parser_.parse(ConversionJob::blankShortLine(line), entry_);
    for (Finding& finding : findings_)
        if (finding.code == 1)
            finding.call = firstWord(shortLine ? line : textLine);
    readFacts(textLine, entry_, routeOfParsedLine(textLine, entry_), facts_);
    lineChecks_.check(textLine, entry_, facts_, findings_);
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const Finding& a, const Finding& b) { return a.code < b.code; });
    std::vector<std::string> rows;
    for (const Finding& finding : findings_)
        appendRow(rows.emplace_back(), lineNumber, finding);
    return rows;
}

void LineFindings::logFailure(std::string_view, std::string_view message)
{
    const std::string& text = failureTexts_.emplace_back(message);
    Finding& finding = findings_.emplace_back();
    finding.severity = Severity::Error;
    finding.code = 1;
    finding.named = text;
}

} // namespace borvelin
