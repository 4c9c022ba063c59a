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
    addRows(firstLineNumber_ + ahead.line, checks_.check(line_.entry(), line_.facts(), findings_), *block_);
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
