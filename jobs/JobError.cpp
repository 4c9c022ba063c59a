// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobError.h"

#include <cerrno>
#include <cstring>

namespace borvelin {

namespace {

std::string describe(const std::string& text, const std::string& fileName, std::uint64_t line)
{
    const std::string where = line == 0 ? fileName : fileName + ", line " + std::to_string(line);
    return where.empty() ? text : text + ": " + where;
}

} // namespace

JobError::JobError(ErrorNumber number, const std::string& text, const std::string& fileName, std::uint64_t line)
    : std::runtime_error(describe(text, fileName, line)), number_(number), text_(text), fileName_(fileName), line_(line)
{
}

JobError JobError::at(const std::string& fileName, std::uint64_t line) const
{
    return {number_, text_, fileName, line};
}

JobError JobError::fromLastError(const std::string& fileName, int fallback)
{
    return fromErrno(errno != 0 ? errno : fallback, fileName);
}

JobError JobError::fromErrno(int errorCode, const std::string& fileName)
{
    switch (errorCode) {
    case ENOENT: return {ErrorNumber::FileNotFound, "File not found", fileName};
    case ENOTDIR: return {ErrorNumber::PathNotFound, "Path not found", fileName};
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return {ErrorNumber::PermissionDenied, "Permission denied", fileName};
    case ENOSPC:
    case EFBIG: return {ErrorNumber::DiskFull, "Disk full", fileName};
    case EIO: return {ErrorNumber::DeviceIo, "Device I/O error", fileName};
    case ENOMEM: return {ErrorNumber::OutOfMemory, "Out of memory", fileName};
    default:
        return {ErrorNumber::PathFileAccess, std::string("Path/File access error (") + std::strerror(errorCode) + ")",
                fileName};
    }
}

} // namespace borvelin
