// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>

namespace borvelin {

// Moves to `offset`, also past 2 GB, where a long ends on Windows; false when it cannot.
bool seekTo(std::FILE* file, std::uint64_t offset);

} // namespace borvelin
