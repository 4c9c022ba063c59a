// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ByteSource.h"
#include "jobs/FileHandle.h"

#include <string>

namespace borvelin {

// A regular file read as bytes. Fails with JobError as opening it would (53 when it does
// not exist), and for anything but a regular file, which could not be read twice.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::string& fileName);
    std::size_t read(char* into, std::size_t most) override;
    std::uint64_t size() const override { return size_; }
    std::uint64_t bytesRead() const override { return bytesRead_; }
    // Lets go of the file: Windows replaces or renames no file that is open.
    void close() { file_.reset(); }

private:
    std::string fileName_;
    FileHandle file_;
    std::uint64_t size_ = 0;
    std::uint64_t bytesRead_ = 0;
};

} // namespace borvelin
