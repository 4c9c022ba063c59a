// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/RegularFile.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"

#include <cerrno>
#include <system_error>

namespace borvelin {

void requireRegularFileOrNothing(const std::filesystem::path& path, const std::string& fileName)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status) || fs::is_regular_file(status))
        return;
    if (fs::is_directory(status))
        throw JobError::fromErrno(EISDIR, fileName);
    throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (not a regular file)", fileName);
}

FileHandle openRegularFileToRead(const std::string& fileName)
{
    requireRegularFileOrNothing(nativePath(fileName), fileName);
    errno = 0;
    FileHandle file(openFile(fileName, "rb"));
    if (!file)
        throw JobError::fromLastError(fileName, ENOENT);
    return file;
}

} // namespace borvelin
