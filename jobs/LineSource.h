// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace borvelin {

// Where a job's lines come from: a file on disk, or memory in the tests.
class LineSource {
public:
    virtual ~LineSource() = default;
    // Puts the next line, without its break, into `line`; false at the end.
    virtual bool readLine(std::string& line) = 0;
    // How many bytes of the input the lines read so far took, and how many it holds in
    // all (0 when not known): the share of the input read.
    virtual std::uint64_t bytesRead() const { return 0; }
    virtual std::uint64_t size() const { return 0; }
};

} // namespace borvelin
