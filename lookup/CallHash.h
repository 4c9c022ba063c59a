// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/TextSearch.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace borvelin {

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
