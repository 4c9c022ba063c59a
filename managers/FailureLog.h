// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/LineFailureLog.h"

#include <string>

namespace borvelin {

// BORVELIN.LOG in the current directory: three lines per failure (date and time in
// the user's locale, the line, the message), appended and never emptied. The file is
// opened and closed for every entry.
class FailureLog : public LineFailureLog {
public:
    static constexpr const char* LogFileName = "BORVELIN.LOG";

    void logFailure(std::string_view line, std::string_view message) override;

    // The current date and time of day as the user's locale writes them.
    static std::string timestamp();
};

} // namespace borvelin
