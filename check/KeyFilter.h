// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace borvelin {

// A set of keys that answers "surely not" for most keys it does not hold: one bit for
// each value of a key's top bits, set for every key added. Small enough to stay in the
// cache, it spares most look-ups of keys that are not there a wait for memory.
class KeyFilter {
public:
    // Holds everything until made with room.
    KeyFilter() = default;
    // Room for `keys` keys, at `bitsPerKey` bits each: about one key in `bitsPerKey` that
    // is not held gets past.
    KeyFilter(std::size_t keys, std::size_t bitsPerKey)
    {
        const std::size_t bits = std::bit_ceil(std::max<std::size_t>(64, bitsPerKey * keys));
        words_.assign(bits / 64, 0);
        shift_ = 64 - static_cast<unsigned>(std::countr_zero(bits));
    }

    void add(std::uint64_t key)
    {
        const std::uint64_t bit = key >> shift_;
        words_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    bool mayHold(std::uint64_t key) const
    {
        const std::uint64_t bit = key >> shift_;
        return words_.empty() || ((words_[bit / 64] >> (bit % 64)) & 1) != 0;
    }
    bool madeWithRoom() const { return !words_.empty(); }
    // Where mayHold will look for `key`.
    const std::uint64_t* wordFor(std::uint64_t key) const { return &words_[(key >> shift_) / 64]; }

private:
    std::vector<std::uint64_t> words_;
    unsigned shift_ = 0;
};

} // namespace borvelin
