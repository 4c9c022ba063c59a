// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/OwnLineChecker.h"

#include "listline/LineLayout.h"

namespace borvelin {

void OwnLineChecker::read(std::string_view line, std::vector<Finding>& findings)
{
    findings.clear();
    findings_ = &findings;
    failureCount_ = 0;
    const bool shortLine = line.size() <= BlankedLineLength;
    if (shortLine)
        lineChecks_.checkShortLine(line, findings);
    textLine_ = parser_.parse(blankShortLine(line), entry_);
    // A short line reached the grammar as a blank; a repair leaves the first word as it was.
    for (Finding& finding : findings)
        if (finding.code == FindingCode::LoggedByList25)
            finding.call = firstWord(shortLine ? line : textLine_);
    readFacts(textLine_, entry_, routes_.routeOf(textLine_, entry_), facts_);
}

void OwnLineChecker::check(std::vector<Finding>& findings)
{
    lineChecks_.check(textLine_, entry_, facts_, findings);
}

void OwnLineChecker::logFailure(std::string_view, std::string_view message)
{
    if (failureCount_ == failureTexts_.size())
        failureTexts_.emplace_back();
    std::string& text = failureTexts_[failureCount_++];
    text.assign(message);
    Finding& finding = findings_->emplace_back();
    finding.code = FindingCode::LoggedByList25;
    finding.severity = kindOf(finding.code).severity;
    finding.named = text; // its call is the line's, once the parse is done
}

} // namespace borvelin
