// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace borvelin {

// Keyword searches ignore the case of the ASCII letters A-Z only; every other byte,
// including those of a code page's accented letters, must match exactly.
constexpr char foldCase(char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

constexpr char inCapitals(char byte)
{
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
}

// Eight bytes with their small letters a-z made capitals, all at once.
constexpr std::uint64_t inCapitals(std::uint64_t bytes)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
    const std::uint64_t low = bytes & ~HighBits;
    const std::uint64_t fromA = low + (0x80 - 'a') * Ones;     // high bit set from 'a' on
    const std::uint64_t pastZ = low + (0x80 - 'z' - 1) * Ones; // high bit set past 'z'
    const std::uint64_t small = fromA & ~pastZ & ~bytes & HighBits;
    return bytes ^ (small >> 2);
}

// True when `what` begins exactly at the 1-based `column` of `line`, ignoring case.
inline bool standsAt(std::string_view line, std::string_view what, std::size_t column)
{
    if (column == 0 || column - 1 > line.size() || line.size() - (column - 1) < what.size())
        return false;
    const char* there = line.data() + (column - 1);
    for (std::size_t index = 0; index < what.size(); ++index) {
        if (foldCase(there[index]) != foldCase(what[index]))
            return false;
    }
    return true;
}

// The line's length without the blanks at its end: padded lines end in dozens of them,
// looked at 16 a step where SSE2 is there (always on x86-64).
inline std::size_t lengthWithoutTrailingBlanks(std::string_view line)
{
    std::size_t length = line.size();
#if defined(__SSE2__)
    for (; length >= 16; length -= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + length - 16));
        const auto blanks = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '))));
        if (blanks != 0xFFFF)
            return length - 16 + static_cast<std::size_t>(std::bit_width(~blanks & 0xFFFF));
    }
#endif
    while (length > 0 && line[length - 1] == ' ')
        --length;
    return length;
}

} // namespace borvelin
