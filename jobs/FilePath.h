// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace borvelin {

// The core keeps a file's path as a std::string of UTF-8: the names the user gives, the
// current directory, the names in errors and summaries. On POSIX systems that is the
// system's own bytes, passed on as they are. On Windows the functions below are the only
// place where a path becomes the system's form: UTF-16 for the wide calls (_wfopen,
// CreateFileW), so that a folder named in any script opens, whatever the ANSI code page.
// Every file the core opens, renames, removes or asks about goes through them.

// The system's form of `path`, for std::filesystem's calls.
std::filesystem::path nativePath(std::string_view path);
// `path` as the core keeps it.
std::string pathText(const std::filesystem::path& path);

// std::fopen for a path in the core's form; nullptr with errno set on failure.
std::FILE* openFile(const std::string& path, const char* mode);
// The same for a path already in the system's form, as nativePath gives it.
std::FILE* openNativeFile(const std::filesystem::path& path, const char* mode);
// std::remove for a path in the core's form; false when it failed.
bool removeFile(const std::string& path) noexcept;

} // namespace borvelin
