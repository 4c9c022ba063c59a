// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace borvelin {

// Where a job's lines come from: a file on disk, or memory in the tests.
class LineSource {
public:
    virtual ~LineSource() = default;
    // Puts the next line, without its break, into `line`; false at the end.
    virtual bool readLine(std::string& line) = 0;
};

} // namespace borvelin
