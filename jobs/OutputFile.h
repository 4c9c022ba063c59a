// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"
#include "jobs/LineSink.h"
#include "jobs/WriteBehind.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// An output text file that replaces its target only when it is complete: the lines go
// to a temporary file beside the target, which a commit renames over it (commit(), or the
// set of the job's outputs it is added to). Until then the target keeps whatever it held;
// an output destroyed uncommitted leaves no trace.
// Every line ends in CR LF. Written behind the job, it fills one buffer while the other
// is written.
class OutputFile final : public LineSink {
public:
    static constexpr std::size_t DefaultBufferSize = 1 << 18;

    // Creates the (empty) temporary file; fails as creating the target itself would.
    explicit OutputFile(const std::string& targetName, std::size_t bufferSize = DefaultBufferSize,
                        OutputWrites writes = OutputWrites::AsTheJobGoes);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Flushes and closes the temporary file; the target is still untouched. An output
    // that keeps a backup is then on the disk as well.
    void close() override;
    // Closes if need be and renames the temporary file over the target, on its own.
    void commit();
    void addTo(CommitSet& set) override;
    void markCommitted() noexcept override { committed_ = true; }
    void keepReplacedAs(const std::string& backupName) override;

    const std::string& targetName() const override { return targetName_; }
    const std::string& temporaryName() const { return temporaryName_; }
    const std::string& readyName() const override { return temporaryName_; }

private:
    void makeRoom(std::size_t bytes) override;
    void flush();
    void discard() noexcept;

    std::string targetName_;
    std::string temporaryName_;
    FileHandle file_;
    std::size_t bufferSize_;
    std::vector<char> buffer_;             // the room the lines are written into
    std::vector<char> bufferBeingWritten_; // behind the job
    std::unique_ptr<WriteBehind> writer_;  // only when written behind the job
    bool committed_ = false;
    std::string backupName_; // empty: the replaced target is not kept
};

} // namespace borvelin
