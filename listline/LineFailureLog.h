// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace borvelin {

// Where the grammar reports a line it could not cut as expected: the line as it stood
// at the failure and the message for the user.
class LineFailureLog {
public:
    virtual ~LineFailureLog() = default;
    virtual void logFailure(std::string_view line, std::string_view message) = 0;
};

// For readers that want the cuts and not the complaints.
class IgnoredFailures : public LineFailureLog {
public:
    void logFailure(std::string_view, std::string_view) override {}
};

} // namespace borvelin
