// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CheckedBlock.h"
#include "check/CrossLineChecks.h"
#include "check/Finding.h"
#include "check/LineChecks.h"
#include "check/LineFacts.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "lookup/ParsedRoute.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// Checks blocks of lines for Check List's second pass, on the thread that calls it, into
// a CheckedBlock. One for each thread: it keeps the parser's state. The lines the
// parser would log become findings C1.
class BlockChecker : private LineFailureLog {
public:
    explicit BlockChecker(CrossLineChecks& checks) : checks_(checks) {}
    BlockChecker(const BlockChecker&) = delete;
    BlockChecker& operator=(const BlockChecker&) = delete;

    // `firstLineNumber` is the number of the block's first line in the list.
    void check(std::span<const std::string_view> lines, std::uint64_t firstLineNumber, CheckedBlock& block) noexcept;

private:
    void checkLines(std::span<const std::string_view> lines, std::uint64_t firstLineNumber, CheckedBlock& block);
    std::string_view checkLine(std::string_view line);
    void addRows(std::uint64_t lineNumber, CallRecord* compared, CheckedBlock& block);
    void logFailure(std::string_view line, std::string_view message) override;

    // A line's slot is asked for while this many lines before it are checked, its record
    // while this many.
    static constexpr std::size_t SlotsAhead = 8;
    static constexpr std::size_t RecordsAhead = 4;

    CrossLineChecks& checks_;
    std::vector<std::uint64_t> keysAhead_;
    std::vector<Finding> findings_;
    // The messages of the line's C1 findings; a deque keeps them in place as it grows.
    std::deque<std::string> failureTexts_;
    std::size_t failureCount_ = 0;
    ListLineParser parser_{*this};
    ListEntry entry_;
    RouteReader routes_;
    LineChecks lineChecks_;
    LineFacts facts_;
};

} // namespace borvelin
