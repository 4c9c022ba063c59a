// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/ByteWords.h"
#include "text/Capitals.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace borvelin {

// The one hash of the program's tables and identities. It takes eight bytes a step and
// mixes each word in with a multiply between two shifts, so that every byte reaches
// every bit: the tables use the top 32 bits to find a slot and the top bits again for
// their filters. Calls hash in capitals, where they stand on a line, without a copy.

constexpr std::uint64_t mixed(std::uint64_t hash)
{
    hash ^= hash >> 32;
    hash *= 0xd6e8feb86659fd93ULL;
    return hash ^ (hash >> 32);
}

enum class LetterCase { AsWritten, InCapitals };

template <LetterCase Case>
inline std::uint64_t hashOfBytes(std::string_view bytes, std::uint64_t seed)
{
    std::uint64_t hash = seed ^ bytes.size();
    while (!bytes.empty()) {
        const std::size_t length = bytes.size() < 8 ? bytes.size() : 8;
        const std::uint64_t word = wordOf(bytes.data(), length);
        hash = mixed(hash ^ (Case == LetterCase::InCapitals ? inCapitals(word) : word));
        bytes.remove_prefix(length);
    }
    return hash;
}

// A call's hash: q1abc and Q1ABC hash alike. `seed` chains a hash of several pieces.
inline std::uint64_t callHash(std::string_view call, std::uint64_t seed = 0)
{
    return hashOfBytes<LetterCase::InCapitals>(call, seed);
}

// callHash of a call of at most 16 bytes that is in capitals already and stands in 16
// bytes with zeros behind it: two loads instead of the bytes' walk. The same hash.
inline std::uint64_t callHashOfPaddedCapitals(const char* sixteenBytes, std::size_t length)
{
    std::uint64_t words[2];
    std::memcpy(words, sixteenBytes, sizeof words);
    const std::uint64_t hash = length == 0 ? length : mixed(length ^ words[0]);
    return length > 8 ? mixed(hash ^ words[1]) : hash;
}

// The hash of bytes as they are, for a line's identity.
inline std::uint64_t bytesHash(std::string_view bytes)
{
    return hashOfBytes<LetterCase::AsWritten>(bytes, 0);
}

} // namespace borvelin
