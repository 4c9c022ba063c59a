// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace borvelin {

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

} // namespace borvelin
