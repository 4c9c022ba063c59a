// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/FailureLog.h"

#include "jobs/FileHandle.h"
#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/RegularFile.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <vector>

namespace borvelin {

namespace {

constexpr std::size_t CopyChunk = 1 << 20;

FileHandle openForReading(const std::string& name)
{
    errno = 0;
    FileHandle file(openFile(name, "rb"));
    if (!file)
        throw JobError::fromLastError(name, EIO);
    return file;
}

// Cuts the log back to `size` after an append that did not complete, unless another
// program has appended to it since.
void cutBack(std::uintmax_t size, std::uintmax_t appended) noexcept
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path log = nativePath(FailureLog::LogFileName);
    if (appended != 0 && fs::file_size(log, ec) == size + appended && !ec)
        fs::resize_file(log, size, ec);
}

} // namespace

std::string FailureLog::timestamp()
{
    const std::time_t now = std::time(nullptr);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", std::localtime(&now)); // one job at a time
    return std::string(text, length);
}

void FailureLog::logFailure(std::string_view line, std::string_view message)
{
    if (!pending_)
        pending_ = std::make_unique<OutputFile>(LogFileName);
    pending_->writeLine(timestamp());
    pending_->writeLine(line);
    pending_->writeLine(message);
    ++entries_;
}

void FailureLog::commit()
{
    if (!pending_)
        return;
    pending_->close();
    requireRegularFileOrNothing(nativePath(LogFileName), LogFileName);
    FileHandle entries = openForReading(pending_->temporaryName());
    errno = 0;
    FileHandle log(openFile(LogFileName, "ab"));
    if (!log)
        throw JobError::fromLastError(LogFileName, EACCES);
    // Unbuffered, each chunk goes out in one write at the end of the file, so that the
    // entries of two programs appending to the same log do not mix within a chunk.
    std::setvbuf(log.get(), nullptr, _IONBF, 0);
    std::fseek(log.get(), 0, SEEK_END);
    sizeBeforeCommit_ = static_cast<std::uintmax_t>(std::ftell(log.get()));
    std::vector<char> chunk(CopyChunk);
    int failure = 0;
    while (failure == 0) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), entries.get());
        if (got == 0) {
            failure = std::ferror(entries.get()) ? EIO : 0;
            break;
        }
        errno = 0;
        const std::size_t written = std::fwrite(chunk.data(), 1, got, log.get());
        bytesAppended_ += written;
        if (written < got || std::fflush(log.get()) != 0)
            failure = errno != 0 ? errno : EIO;
    }
    errno = 0;
    if (!closeFile(log) && failure == 0)
        failure = errno != 0 ? errno : EIO;
    if (failure != 0) {
        cutBack(sizeBeforeCommit_, bytesAppended_);
        bytesAppended_ = 0;
        throw JobError::fromErrno(failure, LogFileName);
    }
    // The entries are in the log: their temporary file goes, closed first, since Windows
    // removes no file that is open.
    entries.reset();
    pending_.reset();
}

void FailureLog::rollBack() noexcept
{
    cutBack(sizeBeforeCommit_, bytesAppended_);
    bytesAppended_ = 0;
}

} // namespace borvelin
