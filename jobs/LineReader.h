// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"
#include "jobs/LineSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace borvelin {

// Reads a text file line by line as raw bytes. A line ends at CR LF, at LF or at a
// lone CR; the last line may lack its break, and a final break adds no empty line.
// Memory stays at one buffer unless a single line is longer than it.
class LineReader final : public LineSource {
public:
    explicit LineReader(const std::string& fileName, std::size_t bufferSize = 1 << 20);

    // Puts the next line, without its break, into `line`; false at the end of the file.
    bool readLine(std::string& line) override;
    std::uint64_t bytesRead() const override { return bytesBeforeBuffer_ + begin_; }
    std::uint64_t size() const override { return size_; }
    void close() { file_.reset(); }

private:
    bool fill();
    std::size_t findBreak();

    std::string fileName_;
    FileHandle file_;
    std::vector<char> buffer_;
    std::uint64_t size_ = 0;              // of the file when it was opened
    std::uint64_t bytesBeforeBuffer_ = 0; // read and dropped from the buffer
    std::size_t begin_ = 0;               // first unread byte
    std::size_t end_ = 0;                 // one past the last byte read from the file
    bool atFileEnd_ = false;
    bool skipLineFeed_ = false; // the last line ended in CR; an LF right after it belongs to it
    // Where the next LF and CR at or after begin_ lie (end_ when none); searching
    // again only once begin_ has passed them keeps CR-only files linear.
    std::size_t nextLineFeed_ = 0;
    std::size_t nextCarriageReturn_ = 0;
    bool breaksKnown_ = false;
};

} // namespace borvelin
