// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobFiles.h"
#include "jobs/LineSink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace borvelin {

class CommitSet;

// BORVELIN.LOG in the current directory: three lines per failure (date and time in
// the user's locale, the line, the message), appended and never emptied.
//
// One run's entries go to a temporary file beside the log, open for the whole run, and
// are appended to the log in one piece with the run's outputs (addTo), once the run has
// succeeded. A run that fails or is cancelled leaves the log byte for byte as it was.
class FailureLog {
public:
    static constexpr const char* LogFileName = "BORVELIN.LOG";

    explicit FailureLog(JobFiles& files = diskFiles()) : files_(files) {}

    void logFailure(std::string_view line, std::string_view message);
    std::uint64_t entries() const { return entries_; }

    // Adds the run's entries to the set that puts the run's outputs in place; nothing
    // when there are none.
    void addTo(CommitSet& set);
    // Appends the run's entries to the log on their own.
    void commit();
    // Takes back what commit() appended, when the rest of the run failed after it.
    void rollBack() noexcept;

    // The current date and time of day as the user's locale writes them.
    static std::string timestamp();

private:
    JobFiles& files_;
    std::unique_ptr<LineSink> pending_;
    std::uint64_t entries_ = 0;
    bool logWasThere_ = false;
    std::uint64_t sizeBeforeCommit_ = 0;
    bool committed_ = false;
};

} // namespace borvelin
