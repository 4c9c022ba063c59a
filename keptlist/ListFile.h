// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"
#include "keptlist/LineStarts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// What tells one version of a file on the disk from another: its size and its time of
// change. A missing file has the empty stamp.
struct FileVersion {
    std::uint64_t size = 0;
    std::int64_t changed = 0; // in the file system's clock ticks
    bool exists = false;

    bool operator==(const FileVersion&) const = default;
};

FileVersion versionOf(const std::string& fileName);

// A list file as the window keeps it: an index of where each line begins, not the lines,
// so that a list of ten million lines costs 4 bytes a line. Lines end as the jobs read
// them: at CR LF, at LF or at a lone CR, the last one perhaps without its break. A line
// is read from the disk when it is asked for.
//
// The file stays open while it is kept, so that a list replaced on the disk by another
// program is still read as it was indexed, until the user reloads it. Windows renames
// no open file, so there it is opened for each read, and a list changed on the disk
// can no longer be read (JobError 75).
class ListFile {
public:
    // Tells how far the indexing has come; false stops it with JobError 18.
    using Progress = std::function<bool(std::uint64_t bytesRead, std::uint64_t bytesInAll)>;

    // Indexes `fileName`; throws JobError when it cannot be read.
    explicit ListFile(std::string fileName, const Progress& progress = {});
    ListFile(const ListFile&) = delete;
    ListFile& operator=(const ListFile&) = delete;

    const std::string& fileName() const { return fileName_; }
    const FileVersion& version() const { return version_; }
    std::uint64_t lineCount() const { return starts_.size() - 1; }
    std::uint64_t size() const { return starts_.back(); }
    // Where line `index` begins, and where the next begins (its break included).
    std::uint64_t lineBegin(std::uint64_t index) const { return starts_[index]; }
    std::uint64_t lineEnd(std::uint64_t index) const { return starts_[index + 1]; }
    // Whether the last line ends in a break.
    bool endsWithBreak() const { return endsWithBreak_; }
    // The break of the first line ("\r\n" for an empty list or a one-line list without
    // one): the break new lines get.
    const std::string& firstBreak() const { return firstBreak_; }

    // The lines `first` to `first + count - 1`, without their breaks.
    void readLines(std::uint64_t first, std::uint64_t count, std::vector<std::string>& lines) const;
    std::string line(std::uint64_t index) const;
    // The lines `indexes`, in that order, without their breaks: one opening of the file
    // for lines from anywhere in it.
    void readLinesAt(const std::vector<std::uint64_t>& indexes, std::vector<std::string>& lines) const;
    // The bytes of lines `first` to `end - 1`, breaks included, in blocks of about
    // `blockSize` bytes that end at a line's end (a longer line is one block), until
    // `take` says false.
    void readRawLines(std::uint64_t first, std::uint64_t end, const std::function<bool(std::string_view)>& take,
                      std::size_t blockSize = 1 << 20) const;

    // A line's bytes without its break.
    static std::string_view withoutBreak(std::string_view rawLine);

private:
    void index(const Progress& progress);
    void reserveLike(std::size_t firstBlockBytes);
    FileHandle open() const;
    void readRange(std::FILE* file, std::uint64_t begin, std::uint64_t end, std::string& bytes) const;

    std::string fileName_;
    FileVersion version_;
    LineStarts starts_; // of every line, and the file's size behind them
    bool endsWithBreak_ = true;
    std::string firstBreak_ = "\r\n";
    mutable FileHandle file_; // kept open where the system allows
};

} // namespace borvelin
