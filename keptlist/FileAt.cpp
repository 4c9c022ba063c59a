// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/FileAt.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/RegularFile.h"

#include <cerrno>

namespace borvelin {

FileHandle openToReadAnywhere(const std::string& fileName)
{
    requireRegularFileOrNothing(nativePath(fileName), fileName);
    errno = 0;
    FileHandle file(openFile(fileName, "rb"));
    if (!file)
        throw JobError::fromLastError(fileName, ENOENT);
    return file;
}

bool seekTo(std::FILE* file, std::uint64_t offset)
{
#if defined(_WIN32)
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

} // namespace borvelin
