// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CheckedBlock.h"
#include "check/CrossLineChecks.h"
#include "check/Finding.h"
#include "check/HistoryConflicts.h"
#include "check/OwnLineChecker.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// Checks blocks of lines for Check List's second pass, on the thread that calls it, into
// a CheckedBlock: each line's own checks (OwnLineChecker), then those against the other
// lines. One for each worker: it keeps the parser's state.
class BlockChecker {
public:
    BlockChecker(CrossLineChecks& checks, const HistoryConflicts& history) : checks_(checks), history_(history) {}
    BlockChecker(const BlockChecker&) = delete;
    BlockChecker& operator=(const BlockChecker&) = delete;

    // `firstLineNumber` is the number of the block's first line in the list.
    void check(std::span<const std::string_view> lines, std::uint64_t firstLineNumber, CheckedBlock& block);

    // The ring's steps, over the block's lines: a line's record is asked for through
    // its key while the lines before it are checked.
    struct Ahead {
        std::size_t line = 0;
        std::uint64_t key = 0; // of the line's first word as it stands before the grammar
    };
    void askForSlot(const Ahead& ahead) const { checks_.prefetchSlot(ahead.key); }
    void askForRecord(const Ahead& ahead) const { checks_.prefetchRecord(ahead.key); }
    void take(const Ahead& ahead);

private:
    void checkHistory(CheckedBlock& block);
    void addRows(std::uint64_t lineNumber, CallRecord* compared, CheckedBlock& block);

    // A line's slot is asked for while this many lines before it are checked, its record
    // while half as many.
    static constexpr std::size_t LinesAhead = 8;

    CrossLineChecks& checks_;
    const HistoryConflicts& history_;
    std::span<const std::string_view> lines_;
    std::uint64_t firstLineNumber_ = 0;
    CheckedBlock* block_ = nullptr;
    std::vector<Finding> findings_;
    OwnLineChecker line_;
};

} // namespace borvelin
