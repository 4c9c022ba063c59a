// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/OutputFile.h"

#include "jobs/CommitSet.h"
#include "jobs/DiskStore.h"
#include "jobs/DiskSync.h"
#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/NewFile.h"
#include "jobs/RegularFile.h"
#include "jobs/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace borvelin {

namespace fs = std::filesystem;

namespace {

// Writes go to the file a symbolic link points at, so that the link survives. The
// links are followed one by one, each relative to its own folder, to the last name in
// the chain, whether or not a file stands there yet.
fs::path resolvedTarget(const std::string& targetName)
{
    constexpr int MostLinks = 40; // as the system allows in one path
    fs::path target = nativePath(targetName);
    std::error_code ec;
    for (int links = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++links) {
        if (links == MostLinks) // a loop of links, for one
            throw JobError::fromErrno(static_cast<int>(std::errc::too_many_symbolic_link_levels), targetName);
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            throw JobError::fromErrno(ec.value(), targetName);
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// An existing target that may not be replaced fails now, as opening it for writing would.
void requireWritableTarget(const fs::path& target, const std::string& targetName)
{
    requireRegularFileOrNothing(target, targetName);
    std::error_code ec;
    if (!fs::exists(target, ec))
        return;
    errno = 0;
    const FileHandle probe(openNativeFile(target, "ab"));
    if (!probe)
        throw JobError::fromLastError(targetName, EACCES);
}

} // namespace

OutputFile::OutputFile(const std::string& targetName, std::size_t bufferSize, OutputWrites writes)
    : targetName_(targetName), bufferSize_(bufferSize < 64 ? 64 : bufferSize), buffer_(bufferSize_)
{
    next_ = buffer_.data();
    limit_ = buffer_.data() + buffer_.size();
    const fs::path target = resolvedTarget(targetName);
    requireWritableTarget(target, targetName);
    file_ = createTemporaryBeside(target, targetName, temporaryName_);
    std::setvbuf(file_.get(), nullptr, _IONBF, 0); // each buffer goes out in one write
    if (writes == OutputWrites::Behind) {
        try {
            writer_ = std::make_unique<WriteBehind>(file_.get());
        } catch (const std::system_error&) {
            // No thread to be had: the job writes as it goes.
        }
    }
}

OutputFile::~OutputFile()
{
    if (!committed_)
        discard();
}

void OutputFile::discard() noexcept
{
    writer_.reset();
    file_.reset();
    if (!temporaryName_.empty())
        removeFile(temporaryName_);
}

void OutputFile::makeRoom(std::size_t bytes)
{
    flush();
    if (buffer_.size() < std::max(bytes, bufferSize_))
        buffer_.resize(std::max(bytes, bufferSize_));
    next_ = buffer_.data();
    limit_ = buffer_.data() + buffer_.size();
}

// Writes the buffer, or hands it to the writer behind the job and takes the other one.
void OutputFile::flush()
{
    const auto used = static_cast<std::size_t>(next_ - buffer_.data());
    if (used == 0)
        return;
    if (writer_) {
        if (const int error = writer_->write(buffer_.data(), used); error != 0)
            throw JobError::fromErrno(error, targetName_);
        std::swap(buffer_, bufferBeingWritten_);
    } else {
        errno = 0;
        if (std::fwrite(buffer_.data(), 1, used, file_.get()) != used)
            throw JobError::fromLastError(targetName_, EIO);
    }
    next_ = buffer_.data();
    limit_ = next_;
}

void OutputFile::close()
{
    if (!file_)
        return;
    flush();
    if (writer_) {
        if (const int error = writer_->finish(); error != 0)
            throw JobError::fromErrno(error, targetName_);
        writer_.reset();
    }
    buffer_ = {}; // an output kept until the job's end holds no memory meanwhile
    bufferBeingWritten_ = {};
    next_ = limit_ = nullptr;
    errno = 0;
    // An output that keeps a backup replaces a master file: it is on the disk before it
    // takes the old one's place.
    const bool failed =
        std::fflush(file_.get()) != 0 || std::ferror(file_.get()) || (!backupName_.empty() && !syncToDisk(file_.get()));
    const int flushError = errno;
    const bool closed = closeFile(file_);
    if (failed && flushError != 0)
        throw JobError::fromErrno(flushError, targetName_);
    if (failed || !closed)
        throw JobError::fromLastError(targetName_, EIO);
}

void OutputFile::addTo(CommitSet& set)
{
    close();
    const fs::path target = resolvedTarget(targetName_);
    std::error_code ec;
    const auto existing = fs::status(target, ec);
    if (!ec && fs::exists(existing))
        fs::permissions(nativePath(temporaryName_), existing.permissions(), ec); // keep the target's permissions
    if (backupName_.empty())
        set.replace(pathText(target), temporaryName_, targetName_);
    else
        set.replaceKeepingBackup(pathText(target), temporaryName_, backupName_, targetName_, backupName_);
}

void OutputFile::commit()
{
    CommitSet set(diskStore());
    addTo(set);
    set.commit();
    committed_ = true;
}

// A backup the user made read-only is refused as a read-only target is.
void OutputFile::keepReplacedAs(const std::string& backupName)
{
    requireWritableTarget(resolvedTarget(backupName), backupName);
    backupName_ = backupName;
}

} // namespace borvelin
