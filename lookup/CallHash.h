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

// Up to eight bytes as one word, zeros behind them, as a copy into the word would give
// on a little-endian processor: in three loads at most, for a length known only at run
// time, where a copy would be a call of its own.
inline std::uint64_t wordOf(const char* bytes, std::size_t length)
{
    std::uint64_t word = 0;
    if (length >= 8) {
        std::memcpy(&word, bytes, 8);
        return word;
    }
    std::size_t at = 0;
    if (length >= 4) {
        std::uint32_t four = 0;
        std::memcpy(&four, bytes, 4);
        word = four;
        at = 4;
    }
    if (length - at >= 2) {
        std::uint16_t two = 0;
        std::memcpy(&two, bytes + at, 2);
        word |= std::uint64_t{two} << (8 * at);
        at += 2;
    }
    if (at < length)
        word |= std::uint64_t{static_cast<unsigned char>(bytes[at])} << (8 * at);
    return word;
}

// A hash of a call in capitals, eight bytes at a time: every line's call is hashed.
inline std::uint64_t callHash(std::string_view call)
{
    std::uint64_t hash = call.size();
    while (!call.empty()) {
        const std::size_t length = call.size() < 8 ? call.size() : 8;
        hash = mixed(hash ^ inCapitals(wordOf(call.data(), length)));
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
