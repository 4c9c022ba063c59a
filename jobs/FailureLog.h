// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/OutputFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace borvelin {

// BORVELIN.LOG in the current directory: three lines per failure (date and time in
// the user's locale, the line, the message), appended and never emptied.
//
// One run's entries go to a temporary file beside the log, open for the whole run, and
// are appended to the log in one piece by commit(), once the run has succeeded. A run
// that fails or is cancelled leaves the log byte for byte as it was.
class FailureLog {
public:
    static constexpr const char* LogFileName = "BORVELIN.LOG";

    void logFailure(std::string_view line, std::string_view message);
    std::uint64_t entries() const { return entries_; }

    // Appends the run's entries to the log; nothing happens when there are none. On
    // failure the log is cut back to what it held.
    void commit();
    // Takes back what commit() appended, when the rest of the run failed after it.
    void rollBack() noexcept;

    // The current date and time of day as the user's locale writes them.
    static std::string timestamp();

private:
    std::unique_ptr<OutputFile> pending_;
    std::uint64_t entries_ = 0;
    std::uintmax_t sizeBeforeCommit_ = 0;
    std::uintmax_t bytesAppended_ = 0;
};

} // namespace borvelin
