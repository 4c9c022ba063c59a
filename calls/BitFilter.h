// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace borvelin {

// A set of hashes that answers "surely not" for most hashes it does not hold: one bit
// for each value of a hash's top bits, set for every hash added. Small enough to stay in
// the cache, it spares most look-ups of calls that are not there a wait for memory.
class BitFilter {
public:
    // Holds everything until made with room.
    BitFilter() = default;
    // Room for `hashes` hashes, at `bitsPerHash` bits each: about one hash in
    // `bitsPerHash` that is not held gets past.
    BitFilter(std::size_t hashes, std::size_t bitsPerHash)
    {
        const std::size_t bits = std::bit_ceil(std::max<std::size_t>(64, bitsPerHash * hashes));
        words_.assign(bits / 64, 0);
        shift_ = 64 - static_cast<unsigned>(std::countr_zero(bits));
    }

    void add(std::uint64_t hash)
    {
        const std::uint64_t bit = hash >> shift_;
        words_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    bool mayHold(std::uint64_t hash) const
    {
        const std::uint64_t bit = hash >> shift_;
        return words_.empty() || ((words_[bit / 64] >> (bit % 64)) & 1) != 0;
    }
    bool madeWithRoom() const { return !words_.empty(); }
    // Asks for the word mayHold will look at for `hash`.
    void prefetch([[maybe_unused]] std::uint64_t hash) const
    {
#if defined(__GNUC__) || defined(__clang__)
        if (!words_.empty())
            __builtin_prefetch(&words_[(hash >> shift_) / 64]);
#endif
    }

private:
    std::vector<std::uint64_t> words_;
    unsigned shift_ = 0;
};

} // namespace borvelin
