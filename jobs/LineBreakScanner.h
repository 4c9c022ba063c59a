// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <bit>
#include <cstddef>
#include <cstdint>

namespace borvelin {

// The line breaks in a stretch of bytes, in order: each LF (a CR right before it belongs
// to it) and each CR that no LF follows. Each block of 64 bytes is looked at once, for
// all of its breaks together; SSE2 (always there on x86-64) compares 16 bytes a step,
// other processors one.
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

    // The LF or lone CR of the next break, or the end of the stretch when none is left.
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
    struct Bytes {
        std::uint64_t lineFeeds;
        std::uint64_t carriageReturns;
    };

    // One bit for each break in the block from `block` on.
    std::uint64_t breaksIn(const char* block) const
    {
        const std::ptrdiff_t length = end_ - block < BlockSize ? end_ - block : BlockSize;
        const Bytes found = length == BlockSize ? wholeBlock(block) : shortBlock(block, length);
        const bool lineFeedBehind = end_ - block > BlockSize && block[BlockSize] == '\n';
        const std::uint64_t lineFeedNext = (found.lineFeeds >> 1) | (std::uint64_t{lineFeedBehind} << 63);
        return found.lineFeeds | (found.carriageReturns & ~lineFeedNext);
    }

    static Bytes wholeBlock(const char* block)
    {
#if defined(__SSE2__)
        Bytes found{0, 0};
        for (int offset = 0; offset < BlockSize; offset += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + offset));
            found.lineFeeds |= maskOf(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))) << offset;
            found.carriageReturns |= maskOf(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))) << offset;
        }
        return found;
#else
        return shortBlock(block, BlockSize);
#endif
    }

#if defined(__SSE2__)
    static std::uint64_t maskOf(__m128i bytes)
    {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(bytes));
    }
#endif

    static Bytes shortBlock(const char* block, std::ptrdiff_t length)
    {
        Bytes found{0, 0};
        for (std::ptrdiff_t offset = 0; offset < length; ++offset) {
            found.lineFeeds |= std::uint64_t{block[offset] == '\n'} << offset;
            found.carriageReturns |= std::uint64_t{block[offset] == '\r'} << offset;
        }
        return found;
    }

    const char* block_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t breaks_ = 0; // of the block at block_, those not yet handed out
};

} // namespace borvelin
