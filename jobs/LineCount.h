// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace borvelin {

// The number of lines a job would read from the file: a line ends at CR LF, at LF or
// at a lone CR, and the last one may lack its break. Reads the file in blocks, so
// memory does not grow with it. Throws JobError when it cannot be read. `keepGoing`,
// when given, is asked before each block; when it says no, the count so far is given.
// Anything but a regular file fails with JobError 75, unread.
std::uint64_t countLines(const std::string& fileName, const std::function<bool()>& keepGoing = {});

} // namespace borvelin
