// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace borvelin {

// Where a job's output lines go. Nothing reaches the output's target before commit():
// a sink destroyed uncommitted leaves the target as it was.
class LineSink {
public:
    virtual ~LineSink() = default;

    // Room for the next line, `length` bytes that the caller fills in before any other
    // write; the line break behind them is already written.
    virtual char* lineSpace(std::size_t length) = 0;
    // Writes the bytes and a line break.
    void writeLine(std::string_view line) { std::memcpy(lineSpace(line.size()), line.data(), line.size()); }
    // Every line is written; the target is still untouched.
    virtual void close() = 0;
    // Closes if need be and puts the output in the target's place.
    virtual void commit() = 0;
    virtual const std::string& targetName() const = 0;
    virtual std::uint64_t linesWritten() const = 0;
    // At commit, whatever the target held becomes `backupName`, replacing an older
    // backup. For the master files a user keeps, whose loss would be hard to undo.
    virtual void keepReplacedAs(const std::string& backupName);
};

} // namespace borvelin
