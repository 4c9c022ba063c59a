// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <memory>

namespace borvelin {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

// The one owner of an open C file: closed when the handle goes, unless closed before
// through closeFile, which reports whether the close succeeded.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Closes the file now; false when the close failed (errno tells why).
inline bool closeFile(FileHandle& file)
{
    return std::fclose(file.release()) == 0;
}

} // namespace borvelin
