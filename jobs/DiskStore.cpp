// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/DiskStore.h"

#include "jobs/DiskSync.h"
#include "jobs/FileHandle.h"
#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/RegularFile.h"
#include "jobs/TemporaryFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace borvelin {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t CopyChunk = 1 << 20;

// A copy stands in for a hard link, so it must be on the disk before the original goes.
void syncCopy(const fs::path& copy, const std::string& errorName)
{
    errno = 0;
    FileHandle file(openNativeFile(copy, "r+b"));
    const bool synced = file && syncToDisk(file.get());
    const int syncError = errno;
    if (!synced || !closeFile(file)) {
        std::error_code ignored;
        fs::remove(copy, ignored);
        throw JobError::fromErrno(syncError != 0 ? syncError : EIO, errorName);
    }
}

// Appends the bytes of `from` to the end of `to`; the errno of a failure, or 0.
int appendBytes(std::FILE* from, std::FILE* to)
{
    std::vector<char> chunk(CopyChunk);
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), from);
        if (got == 0)
            return std::ferror(from) ? EIO : 0;
        errno = 0;
        if (std::fwrite(chunk.data(), 1, got, to) != got)
            return errno != 0 ? errno : EIO;
    }
}

#ifndef _WIN32
FileStamp::Kind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FileStamp::Kind::Regular;
    if (S_ISDIR(mode))
        return FileStamp::Kind::Directory;
    if (S_ISFIFO(mode))
        return FileStamp::Kind::Fifo;
    return FileStamp::Kind::Other;
}
#endif

} // namespace

DiskStore::DiskStore(fs::path folder) : folder_(std::move(folder)) {}

fs::path DiskStore::pathOf(const std::string& name) const
{
    const fs::path path = nativePath(name);
    return folder_.empty() || path.is_absolute() ? path : folder_ / path;
}

std::string DiskStore::folderName() const
{
    std::error_code ec;
    const fs::path full = fs::absolute(folder_.empty() ? fs::path(".") : folder_, ec);
    return pathText(ec ? folder_ : full.lexically_normal());
}

std::unique_ptr<FolderLock> DiskStore::lockFolder(StatusSink& status, LockWait wait)
{
    std::string name = folderName();
    while (name.size() > 1 && (name.back() == '/' || name.back() == '\\'))
        name.pop_back();
    return lockFolderOnDisk(folder_, name, status, wait);
}

FileStamp DiskStore::stampOf(const std::string& name)
{
    FileStamp stamp;
#ifdef _WIN32
    std::error_code ec;
    const fs::path path = pathOf(name);
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status))
        return stamp;
    stamp.kind = fs::is_regular_file(status) ? FileStamp::Kind::Regular
                 : fs::is_directory(status)  ? FileStamp::Kind::Directory
                                             : FileStamp::Kind::Other;
    stamp.size = stamp.kind == FileStamp::Kind::Regular ? fs::file_size(path, ec) : 0;
    // The time since the system clock's epoch, as the older backups' names read it.
    const auto changed = std::chrono::file_clock::to_sys(fs::last_write_time(path, ec));
    stamp.changedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(changed.time_since_epoch()).count();
#else
    struct stat status {};
    if (::stat(pathOf(name).c_str(), &status) != 0)
        return stamp;
    stamp.kind = kindOf(status.st_mode);
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.number = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.changedNs = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
#endif
    return stamp;
}

std::vector<std::string> DiskStore::namesBeside(const std::string& name)
{
    std::vector<std::string> names;
    fs::path folder = pathOf(name).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec))
        names.push_back(pathText(entry->path().filename()));
    return names;
}

void DiskStore::rename(const std::string& from, const std::string& to, const std::string& errorName)
{
    std::error_code ec;
    fs::rename(pathOf(from), pathOf(to), ec);
    if (ec)
        throw JobError::fromErrno(ec.value(), errorName);
}

// A hard link where the file system has them; FAT has none, and a target reached through
// a link may lie on another disk: a copy then.
std::string DiskStore::keepUnderTemporaryName(const std::string& original, const std::string& beside,
                                              const std::string& errorName)
{
    TemporaryNames names(pathOf(beside));
    for (int attempt = 0; attempt < TemporaryNames::MostAttempts; ++attempt) {
        const fs::path candidate = names.next();
        std::error_code ec;
        fs::create_hard_link(pathOf(original), candidate, ec);
        if (!ec)
            return pathText(candidate);
        if (ec == std::errc::file_exists)
            continue;
        if (fs::copy_file(pathOf(original), candidate, ec)) {
            syncCopy(candidate, errorName);
            return pathText(candidate);
        }
        if (ec == std::errc::file_exists)
            continue;
        std::error_code ignored;
        fs::remove(candidate, ignored);
        throw JobError::fromErrno(ec.value(), errorName);
    }
    throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (no free temporary name)", errorName);
}

void DiskStore::remove(const std::string& name) noexcept
{
    std::error_code ignored;
    fs::remove(pathOf(name), ignored);
}

void DiskStore::appendFrom(const std::string& log, std::uint64_t size, const std::string& entries,
                           const std::string& errorName)
{
    const fs::path logPath = pathOf(log);
    requireRegularFileOrNothing(logPath, errorName);
    errno = 0;
    const FileHandle from(openNativeFile(pathOf(entries), "rb"));
    if (!from)
        throw JobError::fromLastError(errorName, EIO);
    cutBack(log, size);
    errno = 0;
    FileHandle to(openNativeFile(logPath, "ab"));
    if (!to)
        throw JobError::fromLastError(errorName, EACCES);
    int failure = appendBytes(from.get(), to.get());
    errno = 0;
    if (failure == 0 && !syncToDisk(to.get()))
        failure = errno != 0 ? errno : EIO;
    errno = 0;
    if (!closeFile(to) && failure == 0)
        failure = errno != 0 ? errno : EIO;
    if (failure != 0) {
        cutBack(log, size);
        throw JobError::fromErrno(failure, errorName);
    }
}

void DiskStore::cutBack(const std::string& log, std::uint64_t size) noexcept
{
    std::error_code ec;
    const fs::path path = pathOf(log);
    if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) > size && !ec)
        fs::resize_file(path, size, ec);
}

void DiskStore::syncFile(const std::string& name, const std::string& errorName)
{
    errno = 0;
    FileHandle file(openNativeFile(pathOf(name), "r+b"));
    const bool synced = file && syncToDisk(file.get());
    const int syncError = errno;
    if (!synced || !closeFile(file))
        throw JobError::fromErrno(syncError != 0 ? syncError : EIO, errorName);
}

// Some file systems cannot put a folder on the disk; their renames then are as safe as
// they make them.
void DiskStore::syncFolderOf(const std::string& name)
{
#ifndef _WIN32
    fs::path folder = pathOf(name).parent_path();
    if (folder.empty())
        folder = ".";
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
#else
    (void)name;
#endif
}

void DiskStore::writeWhole(const std::string& name, const std::string& bytes)
{
    const fs::path path = pathOf(name);
    std::string temporary;
    FileHandle file = createTemporaryBeside(path, name, temporary);
    errno = 0;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() && syncToDisk(file.get());
    const int writeError = errno;
    if (!closeFile(file) || !written) {
        removeFile(temporary);
        throw JobError::fromErrno(writeError != 0 ? writeError : EIO, name);
    }
    std::error_code ec;
    fs::rename(nativePath(temporary), path, ec);
    if (ec) {
        removeFile(temporary);
        throw JobError::fromErrno(ec.value(), name);
    }
    syncFolderOf(name);
}

std::optional<std::string> DiskStore::readWhole(const std::string& name)
{
    errno = 0;
    const FileHandle file(openNativeFile(pathOf(name), "rb"));
    if (!file) {
        if (errno == ENOENT)
            return std::nullopt;
        throw JobError::fromLastError(name, EIO);
    }
    std::string bytes;
    std::vector<char> chunk(1 << 16);
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file.get())) != 0;)
        bytes.append(chunk.data(), got);
    if (std::ferror(file.get()))
        throw JobError::fromErrno(EIO, name);
    return bytes;
}

FileStore& diskStore()
{
    static DiskStore store;
    return store;
}

} // namespace borvelin
