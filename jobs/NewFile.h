// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>

namespace borvelin {

// Creates `name` and opens it for writing bytes, failing when it already exists, so
// that two writers never share a file. Returns nullptr with errno set on failure
// (EEXIST when the name is taken).
std::FILE* createNewFile(const std::filesystem::path& name);

} // namespace borvelin
