// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
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
