// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/FileByteSource.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/RegularFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace borvelin {

FileByteSource::FileByteSource(const std::string& fileName) : fileName_(fileName)
{
    file_ = openRegularFileToRead(fileName);
    std::error_code ec;
    size_ = std::filesystem::file_size(nativePath(fileName), ec);
    if (ec)
        throw JobError::fromErrno(ec.value(), fileName);
}

std::size_t FileByteSource::read(char* into, std::size_t most)
{
    errno = 0;
    const std::size_t got = std::fread(into, 1, most, file_.get());
    if (got == 0 && std::ferror(file_.get()))
        throw JobError::fromLastError(fileName_, EIO);
    bytesRead_ += got;
    return got;
}

} // namespace borvelin
