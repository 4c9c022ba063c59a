// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

// Calls and keywords compare without the case of the ASCII letters A-Z; every other
// byte, a code page's accented letters among them, must match exactly.

constexpr char inCapitals(char byte)
{
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
}

// The small form, for matching keywords written as they stand in the table.
constexpr char inSmallLetters(char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
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

inline std::string capitals(std::string_view text)
{
    std::string upper(text);
    for (char& byte : upper)
        byte = inCapitals(byte);
    return upper;
}

constexpr bool equalInCapitals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t index = 0; index < a.size(); ++index)
        if (inCapitals(a[index]) != inCapitals(b[index]))
            return false;
    return true;
}

} // namespace borvelin
