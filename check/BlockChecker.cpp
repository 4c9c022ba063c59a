// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/BlockChecker.h"

#include "calls/LookAheadRing.h"
#include "listline/LineLayout.h"

#include <algorithm>
#include <utility>

namespace borvelin {

void BlockChecker::check(std::span<const std::string_view> lines, std::uint64_t firstLineNumber, CheckedBlock& block)
{
    block.rows.clear();
    block.rowEnds.clear();
    block.calls.clear();
    block.lines.clear();
    block.historyCalls.clear();
    lines_ = lines;
    firstLineNumber_ = firstLineNumber;
    block_ = &block;
    LookAheadRing<Ahead, LinesAhead> ahead;
    for (std::size_t line = 0; line < lines.size(); ++line)
        ahead.add({line, CrossLineChecks::keyOfLine(lines[line])}, *this);
    ahead.takeAll(*this);
}

void BlockChecker::take(const Ahead& ahead)
{
    checkLine(lines_[ahead.line]);
    CallRecord* const compared = checks_.check(entry_, facts_, findings_);
    checkHistory(*block_);
    addRows(firstLineNumber_ + ahead.line, compared, *block_);
}

// C14, on every line of a station whose history has a month with two managers.
void BlockChecker::checkHistory(CheckedBlock& block)
{
    if (facts_.key == 0)
        return;
    const std::uint32_t place = history_.placeOf(facts_.key, facts_.firstWord);
    if (place == CallTable<HistoryConflicts::Call>::NotThere)
        return;
    block.historyCalls.push_back(place);
    for (const HistoryConflicts::Month& month : history_.at(place).months) {
        Finding& finding = findings_.emplace_back();
        finding.code = FindingCode::HistoryConflict;
        finding.severity = kindOf(finding.code).severity;
        finding.call = facts_.firstWord;
        finding.named = month.managers;
        finding.number = month.historyLine;
    }
}

// Every check of one line but C5; the findings are left in findings_.
void BlockChecker::checkLine(std::string_view line)
{
    findings_.clear();
    failureCount_ = 0;
    const bool shortLine = line.size() <= BlankedLineLength;
    if (shortLine)
        lineChecks_.checkShortLine(line, findings_);
    const std::string_view textLine = parser_.parse(blankShortLine(line), entry_);
    // A short line reached the grammar as a blank; a repair leaves the first word as it was.
    for (Finding& finding : findings_)
        if (finding.code == FindingCode::LoggedByList25)
            finding.call = firstWord(shortLine ? line : textLine);
    readFacts(textLine, entry_, routes_.routeOf(textLine, entry_), facts_);
    checks_.prefetchManager(facts_.managerKey); // wanted after the checks of the line
    lineChecks_.check(textLine, entry_, facts_, findings_);
}
void BlockChecker::addRows(std::uint64_t lineNumber, CallRecord* compared, CheckedBlock& block)
{
    // In the order of their codes; a line has few, found in nearly that order.
    for (std::size_t next = 1; next < findings_.size(); ++next)
        for (std::size_t at = next; at > 0 && findings_[at - 1].code > findings_[at].code; --at)
            std::swap(findings_[at - 1], findings_[at]);
    CheckedBlock::Line line{block.rowEnds.size(), block.rowEnds.size(), compared, facts_.lineId, block.calls.size()};
    for (const Finding& finding : findings_) {
        appendRow(block.rows, lineNumber, finding);
        block.rowEnds.push_back({block.rows.size(), finding.code});
        if (finding.code < FindingCode::RepeatedLine)
            line.rowsBeforeFive = block.rowEnds.size();
    }
    line.rowsEnd = block.rowEnds.size();
    if (compared != nullptr) {
        block.calls.append(facts_.firstWord);
        line.callEnd = block.calls.size();
    }
    block.lines.push_back(line);
}

void BlockChecker::logFailure(std::string_view, std::string_view message)
{
    if (failureCount_ == failureTexts_.size())
        failureTexts_.emplace_back();
    std::string& text = failureTexts_[failureCount_++];
    text.assign(message);
    Finding& finding = findings_.emplace_back();
    finding.code = FindingCode::LoggedByList25;
    finding.severity = kindOf(finding.code).severity;
    finding.named = text; // its call is the line's, once the parse is done
}

} // namespace borvelin
