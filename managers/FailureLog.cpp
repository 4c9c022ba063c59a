// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/FailureLog.h"

#include "jobs/FileHandle.h"
#include "jobs/JobError.h"
#include "jobs/RegularFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace borvelin {

namespace {

std::string formatEntry(std::string_view line, std::string_view message)
{
    std::string entry = FailureLog::timestamp();
    entry.append("\r\n").append(line).append("\r\n").append(message).append("\r\n");
    return entry;
}

// A write that stopped part-way (the disk filled) leaves the start of an entry at the
// end of the log; cut it off again, unless another program has appended since.
void dropPartialEntry(long logSizeBefore, std::size_t bytesWritten)
{
    if (logSizeBefore < 0 || bytesWritten == 0)
        return;
    namespace fs = std::filesystem;
    const auto sizeBefore = static_cast<std::uintmax_t>(logSizeBefore);
    std::error_code ec;
    if (fs::file_size(FailureLog::LogFileName, ec) == sizeBefore + bytesWritten && !ec)
        fs::resize_file(FailureLog::LogFileName, sizeBefore, ec);
}

} // namespace

std::string FailureLog::timestamp()
{
    const std::time_t now = std::time(nullptr);
    char text[128];
    const std::size_t length =
        std::strftime(text, sizeof text, "%x %X", std::localtime(&now)); // jobs run on one thread
    return std::string(text, length);
}

void FailureLog::logFailure(std::string_view line, std::string_view message)
{
    const std::string entry = formatEntry(line, message);
    requireRegularFileOrNothing(LogFileName, LogFileName);
    errno = 0;
    FileHandle log(std::fopen(LogFileName, "ab"));
    if (!log)
        throw JobError::fromLastError(LogFileName, EACCES);
    // Unbuffered, the whole entry goes out in one write at the end of the file, so the
    // entries of two programs appending to the same log cannot mix, however long the line.
    std::setvbuf(log.get(), nullptr, _IONBF, 0);
    std::fseek(log.get(), 0, SEEK_END);
    const long sizeBefore = std::ftell(log.get());
    errno = 0;
    const std::size_t written = std::fwrite(entry.data(), 1, entry.size(), log.get());
    const int writeError = errno;
    const bool closed = closeFile(log);
    if (written == entry.size() && closed)
        return;
    if (written < entry.size())
        dropPartialEntry(sizeBefore, written);
    if (writeError != 0)
        throw JobError::fromErrno(writeError, LogFileName);
    throw JobError::fromLastError(LogFileName, EIO);
}

} // namespace borvelin
