// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"
#include "jobs/LineBreakScanner.h"
#include "jobs/LineSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace borvelin {

// Reads a text file line by line as raw bytes. A line ends at CR LF, at LF or at a
// lone CR; the last line may lack its break, and a final break adds no empty line.
// Lines are handed out as views into the buffer, which is searched once for breaks.
// Memory stays at one buffer unless a single line is longer than it.
//
// The input is a regular file or a FIFO, read as a stream: a FIFO whose writer has not
// come yet is waited for, and a stop request ends the wait with JobError 18. A
// directory or a device fails at once with JobError 75, naming it.
class LineReader final : public LineSource {
public:
    explicit LineReader(const std::string& fileName, std::size_t bufferSize = 1 << 20);
    ~LineReader() override;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    LineReader(LineReader&& other) noexcept;
    LineReader& operator=(LineReader&&) = delete;

    std::size_t readLines(std::span<std::string_view> lines) override;
    std::uint64_t bytesRead() const override { return bytesBeforeBuffer_ + begin_; }
    std::uint64_t size() const override { return size_; }
    void close();

private:
    void open();
    std::size_t readSome(char* into, std::size_t most);
    std::size_t readFromStream(char* into, std::size_t most);
    bool fill();
    std::size_t splitLines(std::span<std::string_view> lines);
    std::size_t lastLine(std::span<std::string_view> lines);

    std::string fileName_;
    FileHandle file_;
    int stream_ = -1; // a FIFO's descriptor, read as its writer writes
    std::vector<char> buffer_;
    std::uint64_t size_ = 0;              // of the file when it was opened
    std::uint64_t bytesBeforeBuffer_ = 0; // read and dropped from the buffer
    std::size_t begin_ = 0;               // first byte of the next line
    std::size_t end_ = 0;                 // one past the last byte read from the file
    bool atFileEnd_ = false;
    bool skipLineFeed_ = false; // the buffer ended in CR; an LF read next belongs to it
    LineBreakScanner breaks_;   // from begin_ to end_
};

} // namespace borvelin
