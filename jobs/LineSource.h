// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
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
};

} // namespace borvelin
