// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/LineReader.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace borvelin {

LineReader::LineReader(const std::string& fileName, std::size_t bufferSize)
    : fileName_(fileName), buffer_(std::max<std::size_t>(bufferSize, 16))
{
    errno = 0;
    file_.reset(openFile(fileName, "rb"));
    if (!file_)
        throw JobError::fromLastError(fileName, ENOENT);
    std::setvbuf(file_.get(), nullptr, _IONBF, 0); // each fill is one read into the buffer
    breaks_.start(buffer_.data(), buffer_.data());
    std::error_code ec;
    size_ = std::filesystem::file_size(nativePath(fileName), ec);
    if (ec)
        size_ = 0; // not a regular file: the share read stays unknown
}

// Moves the unfinished line to the front of the buffer and reads behind it; the buffer
// doubles when that line fills it.
bool LineReader::fill()
{
    if (atFileEnd_ || !file_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        bytesBeforeBuffer_ += begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    errno = 0;
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_.get());
    if (got == 0) {
        if (std::ferror(file_.get()))
            throw JobError::fromLastError(fileName_, EIO);
        atFileEnd_ = true;
    }
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
