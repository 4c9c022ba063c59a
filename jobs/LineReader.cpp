// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/LineReader.h"

#include "jobs/JobError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace borvelin {

namespace {

std::size_t findByte(const std::vector<char>& buffer, std::size_t from, std::size_t to, char byte)
{
    const void* hit = std::memchr(buffer.data() + from, byte, to - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - buffer.data()) : to;
}

} // namespace

LineReader::LineReader(const std::string& fileName, std::size_t bufferSize)
    : fileName_(fileName), buffer_(std::max<std::size_t>(bufferSize, 16))
{
    errno = 0;
    file_.reset(std::fopen(fileName.c_str(), "rb"));
    if (!file_)
        throw JobError::fromLastError(fileName, ENOENT);
    std::error_code ec;
    size_ = std::filesystem::file_size(fileName, ec);
    if (ec)
        size_ = 0; // not a regular file: the share read stays unknown
}

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
    breaksKnown_ = false;
    return got > 0;
}

std::size_t LineReader::findBreak()
{
    if (!breaksKnown_ || nextLineFeed_ < begin_)
        nextLineFeed_ = findByte(buffer_, begin_, end_, '\n');
    if (!breaksKnown_ || nextCarriageReturn_ < begin_)
        nextCarriageReturn_ = findByte(buffer_, begin_, end_, '\r');
    breaksKnown_ = true;
    return std::min(nextLineFeed_, nextCarriageReturn_);
}

bool LineReader::readLine(std::string& line)
{
    for (;;) {
        if (skipLineFeed_ && begin_ < end_) {
            // The last line ended in CR: an LF right behind it belongs to that break.
            if (buffer_[begin_] == '\n')
                ++begin_;
            skipLineFeed_ = false;
        }
        const std::size_t lineBreak = findBreak();
        if (lineBreak < end_) {
            line.assign(buffer_.data() + begin_, lineBreak - begin_);
            skipLineFeed_ = buffer_[lineBreak] == '\r';
            begin_ = lineBreak + 1;
            return true;
        }
        if (!fill())
            break;
    }
    // End of file: whatever is left is the last line, without a break.
    if (begin_ == end_)
        return false;
    line.assign(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    return true;
}

} // namespace borvelin
