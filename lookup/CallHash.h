// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/ByteWords.h"
#include "text/Capitals.h"

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

} // namespace borvelin
