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
    line_.read(lines_[ahead.line], findings_);
    checks_.prefetchManager(line_.facts().managerKey); // wanted after the checks of the line
    line_.check(findings_);
    CallRecord* const compared = checks_.check(line_.entry(), line_.facts(), findings_);
    checkHistory(*block_);
    addRows(firstLineNumber_ + ahead.line, compared, *block_);
}

// C14, on every line of a station whose history has a month with two managers.
void BlockChecker::checkHistory(CheckedBlock& block)
{
    const LineFacts& facts = line_.facts();
    if (facts.key == 0)
        return;
    const std::uint32_t place = history_.placeOf(facts.key, facts.firstWord);
    if (place == CallTable<HistoryConflicts::Call>::NotThere)
        return;
    block.historyCalls.push_back(place);
    for (const HistoryConflicts::Month& month : history_.at(place).months) {
        Finding& finding = findings_.emplace_back();
        finding.code = FindingCode::HistoryConflict;
        finding.severity = kindOf(finding.code).severity;
        finding.call = facts.firstWord;
        finding.named = month.managers;
        finding.number = month.historyLine;
    }
}

void BlockChecker::addRows(std::uint64_t lineNumber, CallRecord* compared, CheckedBlock& block)
{
    // In the order of their codes; a line has few, found in nearly that order.
    for (std::size_t next = 1; next < findings_.size(); ++next)
        for (std::size_t at = next; at > 0 && findings_[at - 1].code > findings_[at].code; --at)
            std::swap(findings_[at - 1], findings_[at]);
    CheckedBlock::Line line{block.rowEnds.size(), block.rowEnds.size(), compared, line_.facts().lineId,
                            block.calls.size()};
    for (const Finding& finding : findings_) {
        appendRow(block.rows, lineNumber, finding);
        block.rowEnds.push_back({block.rows.size(), finding.code});
        if (finding.code < FindingCode::RepeatedLine)
            line.rowsBeforeFive = block.rowEnds.size();
    }
    line.rowsEnd = block.rowEnds.size();
    if (compared != nullptr) {
        block.calls.append(line_.facts().firstWord);
        line.callEnd = block.calls.size();
    }
    block.lines.push_back(line);
}

} // namespace borvelin
