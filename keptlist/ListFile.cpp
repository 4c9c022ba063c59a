// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/ListFile.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/LineBreakScanner.h"
#include "jobs/RegularFile.h"
#include "keptlist/FileAt.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <system_error>

namespace borvelin {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t IndexBlockSize = 1 << 20;

JobError changedOnTheDisk(const std::string& fileName)
{
    return {ErrorNumber::PathFileAccess, "Path/File access error (the list changed on the disk)", fileName};
}

} // namespace

FileVersion versionOf(const std::string& fileName)
{
    std::error_code ec;
    FileVersion stamp;
    const auto size = fs::file_size(nativePath(fileName), ec);
    if (ec)
        return stamp;
    const auto changed = fs::last_write_time(nativePath(fileName), ec);
    if (ec)
        return stamp;
    stamp.size = size;
    stamp.changed = static_cast<std::int64_t>(changed.time_since_epoch().count());
    stamp.exists = true;
    return stamp;
}

ListFile::ListFile(std::string fileName, const Progress& progress) : fileName_(std::move(fileName))
{
    index(progress);
}

// One pass over the file, a block at a time, noting where each line begins. An LF right
// behind a CR belongs to it, also across two blocks.
void ListFile::index(const Progress& progress)
{
    FileHandle file = openRegularFileToRead(fileName_);
    version_ = versionOf(fileName_);
    starts_ = {};
    starts_.push_back(0);
    std::vector<char> block(IndexBlockSize);
    constexpr std::uint64_t NoCarriageReturn = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t lastCarriageReturn = NoCarriageReturn;
    std::uint64_t blockStart = 0;
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
        if (got == 0) {
            if (std::ferror(file.get()))
                throw JobError::fromLastError(fileName_, EIO);
            break;
        }
        LineBreakScanner breaks;
        const char* const end = block.data() + got;
        breaks.start(block.data(), end);
        for (const char* lineBreak = breaks.next(); lineBreak != end; lineBreak = breaks.next()) {
            const std::uint64_t at = blockStart + static_cast<std::uint64_t>(lineBreak - block.data());
            if (*lineBreak == '\n' && lastCarriageReturn != NoCarriageReturn && at == lastCarriageReturn + 1) {
                starts_.moveBack(at + 1);
                if (starts_.size() == 2)
                    firstBreak_ = "\r\n";
                continue;
            }
            if (starts_.size() == 1)
                firstBreak_ = std::string(1, *lineBreak);
            starts_.push_back(at + 1);
            lastCarriageReturn = *lineBreak == '\r' ? at : NoCarriageReturn;
        }
        if (blockStart == 0)
            reserveLike(got);
        blockStart += got;
        if (progress && !progress(blockStart, version_.size))
            throw JobError(ErrorNumber::UserInterrupt, "User interrupt occurred");
    }
    if (starts_.back() != blockStart) {
        starts_.push_back(blockStart);
        endsWithBreak_ = false;
        if (starts_.size() == 2)
            firstBreak_ = "\r\n";
    }
    if (starts_.capacity() > starts_.size() + starts_.size() / 4)
        starts_.shrinkToFit();
    if (versionOf(fileName_) != version_ || version_.size != blockStart)
        throw changedOnTheDisk(fileName_);
#if !defined(_WIN32)
    file_ = std::move(file);
#endif
}

// Room for as many lines as the file holds if they are as long as those of its first
// block: growing by doubling, or shrinking at the end, would hold two indexes at once.
void ListFile::reserveLike(std::size_t firstBlockBytes)
{
    const std::uint64_t linesSeen = starts_.size() - 1;
    if (linesSeen == 0 || firstBlockBytes == 0)
        return;
    const std::uint64_t expected = version_.size * linesSeen / firstBlockBytes;
    starts_.reserve(static_cast<std::size_t>(std::min(expected + expected / 16 + 16, version_.size + 2)));
}

FileHandle ListFile::open() const
{
#if defined(_WIN32)
    if (versionOf(fileName_) != version_)
        throw changedOnTheDisk(fileName_);
    return openRegularFileToRead(fileName_);
#else
    return nullptr;
#endif
}

void ListFile::readRange(std::FILE* file, std::uint64_t begin, std::uint64_t end, std::string& bytes) const
{
    bytes.resize(static_cast<std::size_t>(end - begin));
    if (bytes.empty())
        return;
    errno = 0;
    if (!seekTo(file, begin))
        throw JobError::fromLastError(fileName_, EIO);
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        if (std::ferror(file))
            throw JobError::fromLastError(fileName_, EIO);
        throw changedOnTheDisk(fileName_); // shorter than when it was indexed
    }
}

std::string_view ListFile::withoutBreak(std::string_view rawLine)
{
    if (rawLine.ends_with("\r\n"))
        rawLine.remove_suffix(2);
    else if (rawLine.ends_with('\n') || rawLine.ends_with('\r'))
        rawLine.remove_suffix(1);
    return rawLine;
}

void ListFile::readLines(std::uint64_t first, std::uint64_t count, std::vector<std::string>& lines) const
{
    lines.clear();
    if (count == 0)
        return;
    const FileHandle reopened = open();
    std::FILE* file = reopened ? reopened.get() : file_.get();
    std::string bytes;
    readRange(file, starts_[first], starts_[first + count], bytes);
    lines.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t index = first; index < first + count; ++index) {
        const auto begin = static_cast<std::size_t>(starts_[index] - starts_[first]);
        const auto length = static_cast<std::size_t>(starts_[index + 1] - starts_[index]);
        lines.emplace_back(withoutBreak(std::string_view(bytes).substr(begin, length)));
    }
}

void ListFile::readLinesAt(const std::vector<std::uint64_t>& indexes, std::vector<std::string>& lines) const
{
    lines.clear();
    if (indexes.empty())
        return;
    const FileHandle reopened = open();
    std::FILE* file = reopened ? reopened.get() : file_.get();
    std::string bytes;
    for (const std::uint64_t index : indexes) {
        readRange(file, starts_[index], starts_[index + 1], bytes);
        lines.emplace_back(withoutBreak(bytes));
    }
}

std::string ListFile::line(std::uint64_t index) const
{
    std::vector<std::string> lines;
    readLines(index, 1, lines);
    return std::move(lines.front());
}

void ListFile::readRawLines(std::uint64_t first, std::uint64_t end, const std::function<bool(std::string_view)>& take,
                            std::size_t blockSize) const
{
    const FileHandle reopened = open();
    std::FILE* file = reopened ? reopened.get() : file_.get();
    std::string bytes;
    while (first < end) {
        // As many whole lines as fit the block, and at least one.
        const std::size_t fitting = starts_.firstPast(static_cast<std::size_t>(first) + 1,
                                                      static_cast<std::size_t>(end) + 1, starts_[first] + blockSize);
        const std::uint64_t last = std::max<std::uint64_t>(first + 1, fitting - 1);
        readRange(file, starts_[first], starts_[last], bytes);
        if (!take(bytes))
            return;
        first = last;
    }
}

} // namespace borvelin
