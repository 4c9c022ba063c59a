// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace borvelin {

// Where the bytes of a file that is not made of lines come from: the log on disk, or
// memory in the tests and the fuzz target.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `most` bytes into `into`; 0 at the end.
    virtual std::size_t read(char* into, std::size_t most) = 0;
    // The whole size, known before reading, so that a length running past the end is
    // found before any byte of it is read.
    virtual std::uint64_t size() const = 0;
    // How many bytes read() has handed out so far.
    virtual std::uint64_t bytesRead() const = 0;
};

// Where the bytes go.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(std::string_view bytes) = 0;
};

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* into, std::size_t most) override
    {
        const std::size_t count = std::min(most, bytes_.size() - next_);
        std::memcpy(into, bytes_.data() + next_, count);
        next_ += count;
        return count;
    }
    std::uint64_t size() const override { return bytes_.size(); }
    std::uint64_t bytesRead() const override { return next_; }

private:
    std::string_view bytes_;
    std::size_t next_ = 0;
};

} // namespace borvelin
