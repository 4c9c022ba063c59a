// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/LineReader.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/StopRequest.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#ifdef _WIN32
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace borvelin {

namespace {

[[noreturn]] void refuse(const std::string& fileName, bool directory)
{
    if (directory)
        throw JobError::fromErrno(EISDIR, fileName);
    throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (not a regular file)", fileName);
}

} // namespace

LineReader::LineReader(const std::string& fileName, std::size_t bufferSize)
    : fileName_(fileName), buffer_(std::max<std::size_t>(bufferSize, 16))
{
    open();
    breaks_.start(buffer_.data(), buffer_.data());
}

LineReader::~LineReader()
{
    close();
}

LineReader::LineReader(LineReader&& other) noexcept
    : fileName_(std::move(other.fileName_)), file_(std::move(other.file_)), stream_(std::exchange(other.stream_, -1)),
      buffer_(std::move(other.buffer_)), size_(other.size_), bytesBeforeBuffer_(other.bytesBeforeBuffer_),
      begin_(other.begin_), end_(other.end_), atFileEnd_(other.atFileEnd_), skipLineFeed_(other.skipLineFeed_),
      breaks_(other.breaks_)
{
}

void LineReader::close()
{
    file_.reset();
#ifndef _WIN32
    if (stream_ >= 0)
        ::close(stream_);
#endif
    stream_ = -1;
}

#ifdef _WIN32

void LineReader::open()
{
    errno = 0;
    file_.reset(openFile(fileName_, "rb"));
    if (!file_) {
        std::error_code ec;
        if (std::filesystem::is_directory(nativePath(fileName_), ec))
            refuse(fileName_, true);
        throw JobError::fromLastError(fileName_, ENOENT);
    }
    struct _stat64 status {};
    if (_fstat64(_fileno(file_.get()), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG)
        refuse(fileName_, (status.st_mode & _S_IFMT) == _S_IFDIR);
    std::setvbuf(file_.get(), nullptr, _IONBF, 0); // each fill is one read into the buffer
    size_ = static_cast<std::uint64_t>(status.st_size);
}

std::size_t LineReader::readFromStream(char*, std::size_t)
{
    return 0;
}

#else

// Opened without waiting, so that a FIFO with no writer yet does not hold the job in
// open(), where no stop request reaches it.
void LineReader::open()
{
    const int descriptor = ::open(fileName_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        throw JobError::fromLastError(fileName_, ENOENT);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        const int error = errno;
        ::close(descriptor);
        throw JobError::fromErrno(error, fileName_);
    }
    if (S_ISFIFO(status.st_mode)) {
        stream_ = descriptor; // the share read stays unknown
        return;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        refuse(fileName_, S_ISDIR(status.st_mode));
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    file_.reset(::fdopen(descriptor, "rb"));
    if (!file_) {
        const int error = errno;
        ::close(descriptor);
        throw JobError::fromErrno(error, fileName_);
    }
    std::setvbuf(file_.get(), nullptr, _IONBF, 0); // each fill is one read into the buffer
    size_ = static_cast<std::uint64_t>(status.st_size);
}

// Reads only once the FIFO has bytes or its writer has gone: before a writer comes, a
// read would find the end at once. Every wait is short, so that a stop request is seen.
std::size_t LineReader::readFromStream(char* into, std::size_t most)
{
    constexpr int WaitMs = 100;
    for (;;) {
        stopIfRequested();
        pollfd ready{stream_, POLLIN, 0};
        const int polled = ::poll(&ready, 1, WaitMs);
        if (polled < 0 && errno != EINTR)
            throw JobError::fromErrno(errno, fileName_);
        if (polled <= 0)
            continue;
        const ssize_t got = ::read(stream_, into, most);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EAGAIN && errno != EINTR)
            throw JobError::fromErrno(errno, fileName_);
    }
}

#endif

std::size_t LineReader::readSome(char* into, std::size_t most)
{
    if (stream_ >= 0)
        return readFromStream(into, most);
    errno = 0;
    const std::size_t got = std::fread(into, 1, most, file_.get());
    if (got == 0 && std::ferror(file_.get()))
        throw JobError::fromLastError(fileName_, EIO);
    return got;
}

// Moves the unfinished line to the front of the buffer and reads behind it; the buffer
// doubles when that line fills it.
bool LineReader::fill()
{
    if (atFileEnd_ || (!file_ && stream_ < 0))
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        bytesBeforeBuffer_ += begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const std::size_t got = readSome(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0)
        atFileEnd_ = true;
    end_ += got;
    if (skipLineFeed_ && got > 0) { // the unfinished line is empty: begin_ is the first byte read
        if (buffer_[begin_] == '\n')
            ++begin_;
        skipLineFeed_ = false;
    }
    breaks_.start(buffer_.data() + begin_, buffer_.data() + end_);
    return got > 0;
}

std::size_t LineReader::readLines(std::span<std::string_view> lines)
{
    std::size_t count = 0;
    while ((count = splitLines(lines)) == 0) {
        if (!fill())
            return lastLine(lines);
    }
    return count;
}

// Hands out the complete lines in the buffer, as many as fit.
std::size_t LineReader::splitLines(std::span<std::string_view> lines)
{
    LineBreakScanner breaks = breaks_; // a copy the compiler keeps in registers
    const char* const end = buffer_.data() + end_;
    const char* line = buffer_.data() + begin_;
    std::size_t count = 0;
    for (; count < lines.size(); ++count) {
        const char* lineBreak = breaks.next();
        if (lineBreak == end)
            break;
        lines[count] = std::string_view(line, static_cast<std::size_t>(lineBreak - line));
        line = lineBreak + 1;
        if (*lineBreak == '\r' && line != end && *line == '\n') { // one break, CR LF
            ++line;
            breaks.next();
        }
    }
    if (count > 0 && line == end && end[-1] == '\r')
        skipLineFeed_ = true;
    breaks_ = breaks;
    begin_ = static_cast<std::size_t>(line - buffer_.data());
    return count;
}

// At the end of the file, whatever is left is the last line, without a break.
std::size_t LineReader::lastLine(std::span<std::string_view> lines)
{
    if (begin_ == end_)
        return 0;
    lines[0] = std::string_view(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    return 1;
}

} // namespace borvelin
