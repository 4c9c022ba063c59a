// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/KeptBackup.h"

#include <cstdint>
#include <string>
#include <vector>

namespace borvelin {

// What a job that succeeded read and wrote, for the user: the command-line summary
// and the window's report.
struct JobSummary {
    struct WrittenFile {
        std::string name;
        std::uint64_t lines = 0;
    };
    // A figure of the job's own, such as "3 managers with 25 or more records".
    struct Count {
        std::string one;  // what the count counts when it is 1: "manager with 25 or more records"
        std::string many; // and when it is not: "managers with 25 or more records"
        std::uint64_t count = 0;

        const std::string& what() const { return count == 1 ? one : many; }
    };

    std::uint64_t linesRead = 0;
    // What linesRead counts, when not lines: "QSO" and "QSOs" for a log.
    std::string readOne = "line";
    std::string readMany = "lines";
    std::vector<WrittenFile> filesWritten;
    std::vector<Count> counts;
    // The files the job replaced that are kept, and where.
    std::vector<KeptBackup> kept;

    const std::string& readWhat() const { return linesRead == 1 ? readOne : readMany; }
};

} // namespace borvelin
