// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"

#include <filesystem>
#include <string>

namespace borvelin {

// Fails, as opening it to write would, when `path` names a directory; and when it names
// a FIFO, a device or a socket, which opening could wait on for ever or which no
// conversion should write. A regular file or nothing at all passes.
void requireRegularFileOrNothing(const std::filesystem::path& path, const std::string& fileName);
// Opens `fileName` (in the core's form) for reading when it is a regular file; error 53
// when it is missing, and the refusals above.
FileHandle openRegularFileToRead(const std::string& fileName);

} // namespace borvelin
