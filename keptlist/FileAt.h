// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace borvelin {

// A file the window reads from any place, as the list and the findings are read when
// shown: opened for reading when it is a regular file (error 53 when it is missing).
FileHandle openToReadAnywhere(const std::string& fileName);
// Moves to `offset`, also past 2 GB, where a long ends on Windows; false when it cannot.
bool seekTo(std::FILE* file, std::uint64_t offset);

} // namespace borvelin
