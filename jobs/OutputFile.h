// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"
#include "jobs/LineSink.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// An output text file that replaces its target only when it is complete: the lines go
// to a temporary file beside the target, which commit() renames over it. Until then
// the target keeps whatever it held; an output destroyed uncommitted leaves no trace.
// Every line ends in CR LF.
class OutputFile final : public LineSink {
public:
    // Creates the (empty) temporary file; fails as creating the target itself would.
    explicit OutputFile(const std::string& targetName, std::size_t bufferSize = 1 << 20);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    char* lineSpace(std::size_t length) override;
    // Writes the bytes as they are, with no line break: for files that are not lines.
    void writeBytes(std::string_view bytes);
    // Flushes and closes the temporary file; the target is still untouched. An output
    // that keeps a backup is then on the disk as well.
    void close() override;
    // Closes if need be and renames the temporary file over the target.
    void commit() override;
    void keepReplacedAs(const std::string& backupName) override;

    const std::string& targetName() const override { return targetName_; }
    std::uint64_t linesWritten() const override { return linesWritten_; }
    const std::string& temporaryName() const { return temporaryName_; }

private:
    void flush();
    void discard() noexcept;

    std::string targetName_;
    std::string temporaryName_;
    FileHandle file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    std::uint64_t linesWritten_ = 0;
    bool committed_ = false;
    std::string backupName_; // empty: the replaced target is not kept
};

} // namespace borvelin
