// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace borvelin {

// Where a job's lines come from: a file on disk, or memory in the tests. Lines come in
// batches, so that a job pays one call for many lines.
class LineSource {
public:
    virtual ~LineSource() = default;
    // Puts the next lines, without their breaks, into `lines` (as many as fit, at least
    // one) and returns how many; 0 at the end. The views stay valid until the next call.
    virtual std::size_t readLines(std::span<std::string_view> lines) = 0;
    // One line at a time, for readers that are not in a hurry: false at the end.
    bool readLine(std::string& line)
    {
        std::string_view next;
        if (readLines({&next, 1}) == 0)
            return false;
        line.assign(next);
        return true;
    }
    // How many bytes of the input the lines read so far took, and how many it holds in
    // all (0 when not known): the share of the input read.
    virtual std::uint64_t bytesRead() const { return 0; }
    virtual std::uint64_t size() const { return 0; }
};

} // namespace borvelin
