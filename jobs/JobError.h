// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace borvelin {

// Error numbers as users of the classic Windows runtime know them.
enum class ErrorNumber : int {
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    UserInterrupt = 18,
    InternalError = 51,
    FileNotFound = 53,
    DeviceIo = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
    InvalidFileFormat = 321,
};

// A failure that stops a job: a number, a text and, where one is involved, the file's
// name and the number of the line it stopped at.
class JobError : public std::runtime_error {
public:
    JobError(ErrorNumber number, const std::string& text, const std::string& fileName = {}, std::uint64_t line = 0);

    // Maps an errno value from a failed file operation to the matching error.
    static JobError fromErrno(int errorCode, const std::string& fileName);
    // The error of the file operation that just failed: errno, or `fallback` when the
    // operation did not set it.
    static JobError fromLastError(const std::string& fileName, int fallback);

    int number() const { return static_cast<int>(number_); }
    const std::string& text() const { return text_; }
    const std::string& fileName() const { return fileName_; }
    // The line, counted from 1; 0 when the error is not of one line.
    std::uint64_t line() const { return line_; }
    // The same error, of `fileName` and its line `line` (0: no line).
    JobError at(const std::string& fileName, std::uint64_t line) const;

private:
    ErrorNumber number_;
    std::string text_;
    std::string fileName_;
    std::uint64_t line_ = 0;
};

} // namespace borvelin
