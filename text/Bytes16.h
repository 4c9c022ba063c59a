// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sixteen bytes looked at in one step: the line-break scan, the keyword scan and the
// trailing-blank scan each compare a stretch of a line with a few byte values. With SSE2
// (always there on x86-64) a step is a handful of instructions; the portable form does
// the same byte by byte, and is what every other processor, and the build with
// BORVELIN_PORTABLE_SCAN, compiles.
#if defined(__SSE2__) && !defined(BORVELIN_PORTABLE_SCAN)
#define BORVELIN_BYTES16_SSE2 1
#include <emmintrin.h>
#else
#include <array>
#include <cstring>
#endif

#include <cstdint>

namespace borvelin {

class Bytes16 {
public:
    static constexpr int Size = 16;

    // The 16 bytes from `at` on, which must all be readable.
    static Bytes16 load(const char* at)
    {
#if BORVELIN_BYTES16_SSE2
        return Bytes16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
#else
        Bytes16 bytes;
        std::memcpy(bytes.lanes_.data(), at, Size);
        return bytes;
#endif
    }

    // 0xFF in each lane whose byte is `byte`, 0 elsewhere.
    Bytes16 equalTo(char byte) const
    {
#if BORVELIN_BYTES16_SSE2
        return Bytes16(_mm_cmpeq_epi8(lanes_, _mm_set1_epi8(byte)));
#else
        Bytes16 found;
        for (int lane = 0; lane < Size; ++lane)
            found.lanes_[lane] = lanes_[lane] == static_cast<std::uint8_t>(byte) ? 0xFF : 0;
        return found;
#endif
    }

    // Every byte with the bits of `bits` set: 0x20 makes the letters A-Z small.
    Bytes16 withBits(char bits) const
    {
#if BORVELIN_BYTES16_SSE2
        return Bytes16(_mm_or_si128(lanes_, _mm_set1_epi8(bits)));
#else
        Bytes16 result;
        for (int lane = 0; lane < Size; ++lane)
            result.lanes_[lane] = static_cast<std::uint8_t>(lanes_[lane] | static_cast<std::uint8_t>(bits));
        return result;
#endif
    }

    friend Bytes16 operator|(Bytes16 a, Bytes16 b)
    {
#if BORVELIN_BYTES16_SSE2
        return Bytes16(_mm_or_si128(a.lanes_, b.lanes_));
#else
        for (int lane = 0; lane < Size; ++lane)
            a.lanes_[lane] |= b.lanes_[lane];
        return a;
#endif
    }

    friend Bytes16 operator&(Bytes16 a, Bytes16 b)
    {
#if BORVELIN_BYTES16_SSE2
        return Bytes16(_mm_and_si128(a.lanes_, b.lanes_));
#else
        for (int lane = 0; lane < Size; ++lane)
            a.lanes_[lane] &= b.lanes_[lane];
        return a;
#endif
    }

    // One bit per lane, the first lane the lowest: the lane's top bit.
    std::uint32_t topBits() const
    {
#if BORVELIN_BYTES16_SSE2
        return static_cast<std::uint32_t>(_mm_movemask_epi8(lanes_));
#else
        std::uint32_t bits = 0;
        for (int lane = 0; lane < Size; ++lane)
            bits |= static_cast<std::uint32_t>(lanes_[lane] >> 7) << lane;
        return bits;
#endif
    }

    // Zero in every lane.
    static Bytes16 none()
    {
#if BORVELIN_BYTES16_SSE2
        return Bytes16(_mm_setzero_si128());
#else
        return Bytes16();
#endif
    }

private:
#if BORVELIN_BYTES16_SSE2
    explicit Bytes16(__m128i lanes) : lanes_(lanes) {}
    __m128i lanes_;
#else
    Bytes16() = default;
    std::array<std::uint8_t, Size> lanes_{};
#endif
};

} // namespace borvelin
