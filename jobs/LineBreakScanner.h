// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/Bytes16.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace borvelin {

// The CRs and LFs in a stretch of bytes, in order. Each block of 64 bytes is looked at
// once, for all of its breaks together, 16 bytes a step.
class LineBreakScanner {
public:
    static constexpr std::ptrdiff_t BlockSize = 64;

    // Starts at `from`; the stretch ends at `end`.
    void start(const char* from, const char* end)
    {
        block_ = from;
        end_ = end;
        breaks_ = breaksIn(from);
    }

    // The next CR or LF, or the end of the stretch when none is left.
    const char* next()
    {
        while (breaks_ == 0) {
            if (end_ - block_ <= BlockSize)
                return end_;
            block_ += BlockSize;
            breaks_ = breaksIn(block_);
        }
        const char* lineBreak = block_ + std::countr_zero(breaks_);
        breaks_ &= breaks_ - 1;
        return lineBreak;
    }

private:
    // One bit for each CR or LF in the block from `block` on.
    std::uint64_t breaksIn(const char* block) const
    {
        if (end_ - block >= BlockSize) {
            std::uint64_t breaks = 0;
            for (int offset = 0; offset < BlockSize; offset += Bytes16::Size) {
                const Bytes16 bytes = Bytes16::load(block + offset);
                breaks |= std::uint64_t{(bytes.equalTo('\n') | bytes.equalTo('\r')).topBits()} << offset;
            }
            return breaks;
        }
        std::uint64_t breaks = 0;
        const std::ptrdiff_t length = end_ - block < BlockSize ? end_ - block : BlockSize;
        for (std::ptrdiff_t offset = 0; offset < length; ++offset)
            breaks |= std::uint64_t{block[offset] == '\n' || block[offset] == '\r'} << offset;
        return breaks;
    }

    const char* block_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t breaks_ = 0; // of the block at block_, those not yet handed out
};

} // namespace borvelin
