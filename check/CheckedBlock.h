// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CallRecord.h"
#include "check/FindingCode.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace borvelin {

// What the second pass of Check List makes of a block of lines away from the job's
// thread, kept until the job takes it up in the order of the lines: the rows of each
// line's findings, in the order of their codes, but for C5, which depends on the lines
// before it and is left to the taking up.
struct CheckedBlock {
    struct Row {
        std::size_t end; // in rows
        FindingCode code;
    };
    struct Line {
        std::size_t rowsEnd;        // in rowEnds
        std::size_t rowsBeforeFive; // in rowEnds: a C5 row goes in front of this one
        CallRecord* compared;       // the record C5 compares the line with, or nullptr
        std::uint32_t lineId;
        std::size_t callEnd; // in calls: the first word a C5 row names, when compared
    };

    std::string rows; // the rows one after the other, without line breaks
    std::vector<Row> rowEnds;
    std::string calls;
    std::vector<Line> lines;
    std::vector<std::uint32_t> historyCalls; // the HistoryConflicts places the lines named (C14)
};

} // namespace borvelin
