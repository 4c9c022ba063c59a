// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallHash.h"
#include "text/Capitals.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace borvelin {

// A well-formed call, at most 12 bytes, kept in capitals without a heap block of its own.
// Its 16 bytes, zeros behind the call, compare and hash as two words.
class ShortCall {
public:
    static constexpr std::size_t MostBytes = 12;

    ShortCall() = default;
    // `call` must be a well-formed call; it is kept in capitals. Its small letters are
    // made capitals eight at a time.
    explicit ShortCall(std::string_view call) : length_(static_cast<std::uint8_t>(std::min(call.size(), MostBytes)))
    {
        char bytes[16] = {};
        std::memcpy(bytes, call.data(), length_);
        std::uint64_t words[2];
        std::memcpy(words, bytes, sizeof words);
        words[0] = inCapitals(words[0]);
        words[1] = inCapitals(words[1]);
        std::memcpy(bytes_.data(), words, bytes_.size());
    }
    std::string_view view() const { return {bytes_.data(), length_}; }
    bool empty() const { return length_ == 0; }
    bool operator==(const ShortCall& other) const
    {
        const Words mine = words();
        const Words theirs = other.words();
        return mine.first == theirs.first && mine.second == theirs.second;
    }
    // Orders as the calls' bytes do (ordinal): a shorter call before its longer forms.
    bool operator<(const ShortCall& other) const { return byteOrder() < other.byteOrder(); }
    // Two numbers that order as the call's bytes do, for sorting many calls.
    std::pair<std::uint64_t, std::uint64_t> byteOrder() const
    {
        const Words both = words();
        return {inByteOrder(both.first), inByteOrder(both.second)};
    }
    // Its callHash.
    std::uint64_t hash() const { return callHashOfPaddedCapitals(bytes_.data(), length_); }

private:
    struct Words {
        std::uint64_t first;
        std::uint64_t second;
    };
    Words words() const
    {
        Words words;
        std::memcpy(&words, this, sizeof words);
        return words;
    }
    // A word whose order as a number is the order of its bytes.
    static std::uint64_t inByteOrder(std::uint64_t word)
    {
        if constexpr (std::endian::native == std::endian::little)
            return __builtin_bswap64(word);
        else
            return word;
    }

    std::array<char, 15> bytes_{}; // the call, zeros behind it
    std::uint8_t length_ = 0;
};
static_assert(sizeof(ShortCall) == 16);

} // namespace borvelin
