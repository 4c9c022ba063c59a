// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

namespace borvelin {

// Writes the file's buffers and asks the system to put its bytes on the disk before it
// returns; false when either fails (errno tells why). The one call here that standard
// C++ lacks, kept apart so that the rest of the core stays portable.
bool syncToDisk(std::FILE* file);

} // namespace borvelin
