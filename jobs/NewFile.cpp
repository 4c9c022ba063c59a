// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/NewFile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace borvelin {

#ifdef _WIN32

// The C runtime that MinGW programs use by default does not know fopen's "x" mode and
// would truncate an existing file; the low-level open refuses it.
std::FILE* createNewFile(const std::filesystem::path& name)
{
    const int descriptor = _wopen(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0)
        return nullptr;
    std::FILE* file = _fdopen(descriptor, "wb");
    if (!file)
        _close(descriptor);
    return file;
}

#else

std::FILE* createNewFile(const std::filesystem::path& name)
{
    return std::fopen(name.c_str(), "wbx");
}

#endif

} // namespace borvelin
