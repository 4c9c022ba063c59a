// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace borvelin {

constexpr char inCapitals(char byte)
{
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
}

// FNV-1a over the bytes in capitals, so that a call on a line is hashed where it
// stands, without a copy.
inline std::uint64_t hashInCapitals(std::string_view text, std::uint64_t hash = 0xcbf29ce484222325ULL)
{
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(inCapitals(byte));
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// FNV-1a leaves the last bytes in the low bits only; tables index by the low bits.
constexpr std::uint64_t mixed(std::uint64_t hash)
{
    hash ^= hash >> 32;
    hash *= 0xd6e8feb86659fd93ULL;
    return hash ^ (hash >> 32);
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

// A hash of a call in capitals, eight bytes at a time: every line's call is hashed.
inline std::uint64_t callHash(std::string_view call)
{
    std::uint64_t hash = call.size();
    while (!call.empty()) {
        std::uint64_t bytes = 0;
        const std::size_t length = call.size() < 8 ? call.size() : 8;
        std::memcpy(&bytes, call.data(), length);
        hash = mixed(hash ^ inCapitals(bytes));
        call.remove_prefix(length);
    }
    return hash;
}

inline bool equalInCapitals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t index = 0; index < a.size(); ++index)
        if (inCapitals(a[index]) != inCapitals(b[index]))
            return false;
    return true;
}

} // namespace borvelin
