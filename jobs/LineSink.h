// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace borvelin {

class CommitSet;

// When an output's bytes go to its file: as the job fills each buffer, so that a write
// that fails stops the job at the line that filled it; or behind the job, on a thread
// of their own, which reports a failure a buffer later. A job whose lines have other
// effects that must not outrun a failed write (the failure log) writes as it goes.
enum class OutputWrites { AsTheJobGoes, Behind };

// Where a job's output lines go. Nothing reaches the output's target before the commit
// it is added to: a sink destroyed uncommitted leaves the target as it was.
//
// A sink lends the job room in its buffer, so that a line that fits costs no call.
class LineSink {
public:
    static constexpr std::string_view LineBreak = "\r\n";

    virtual ~LineSink() = default;

    // Room for the next line, `length` bytes that the caller fills in before any other
    // write; the line break behind them is already written.
    char* lineSpace(std::size_t length)
    {
        const std::size_t needed = length + LineBreak.size();
        if (static_cast<std::size_t>(limit_ - next_) < needed)
            makeRoom(needed);
        char* line = next_;
        std::memcpy(line + length, LineBreak.data(), LineBreak.size());
        next_ += needed;
        ++linesWritten_;
        return line;
    }
    // Writes the bytes and a line break.
    void writeLine(std::string_view line) { std::memcpy(lineSpace(line.size()), line.data(), line.size()); }
    // Writes the bytes as they are, with no line break: for files that are not lines.
    void writeBytes(std::string_view bytes)
    {
        if (static_cast<std::size_t>(limit_ - next_) < bytes.size())
            makeRoom(bytes.size());
        std::memcpy(next_, bytes.data(), bytes.size());
        next_ += bytes.size();
    }
    // Every line is written; the target is still untouched.
    virtual void close() = 0;
    // Closes if need be and adds the output to `set`, which puts it in the target's place
    // with the job's other outputs.
    virtual void addTo(CommitSet& set) = 0;
    // The set it was added to is in place: nothing of the output is the sink's any more.
    virtual void markCommitted() noexcept = 0;
    virtual const std::string& targetName() const = 0;
    // The file that holds the output until it is put in place.
    virtual const std::string& readyName() const = 0;
    std::uint64_t linesWritten() const { return linesWritten_; }
    // At commit, whatever the target held becomes `backupName`, and the backup before it
    // an older one. For the master files a user keeps, whose loss would be hard to undo.
    virtual void keepReplacedAs(const std::string& backupName);

protected:
    // Makes [next_, limit_) hold at least `bytes` bytes, or throws JobError.
    virtual void makeRoom(std::size_t bytes) = 0;

    char* next_ = nullptr;  // where the next line goes
    char* limit_ = nullptr; // the end of the room lent
    std::uint64_t linesWritten_ = 0;
    std::string keptAs_;
};

} // namespace borvelin
