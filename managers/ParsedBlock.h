// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace borvelin {

// What the grammar made of a block of lines away from the job's thread, kept until the
// job takes it up in the order of the lines: each line's QSL.CSV record and manager, and
// the failures to log.
struct ParsedBlock {
    struct Line {
        std::size_t recordEnd; // in records
        std::size_t callEnd;   // in calls; the manager is empty when it equals the one before
    };
    struct Failure {
        std::size_t line; // in the block
        std::string text;
        std::string message;
    };

    std::string records; // the lines' records one after the other, without line breaks
    std::string calls;   // the lines' managers one after the other
    std::vector<Line> lines;
    std::vector<Failure> failures; // in the order of the lines
};

} // namespace borvelin
