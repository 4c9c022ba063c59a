// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CallRecord.h"
#include "jobs/HugePageAllocator.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace borvelin {

// One CallRecord per distinct call, found by the call's hash in capitals: memory grows
// with the calls of the list, never with its lines.
class CallIndex {
public:
    explicit CallIndex(std::size_t expected = 0);

    static std::uint64_t keyOf(std::string_view call);
    // The key of a call whose callHash is `hash`.
    static std::uint64_t keyOfHash(std::uint64_t hash) { return hash == 0 ? 1 : hash; }
    // The record of `key`, made when the call is new. Valid until the next recordOf.
    CallRecord& recordOf(std::uint64_t key);
    CallRecord* find(std::uint64_t key);
    const CallRecord* find(std::uint64_t key) const;
    // Asks for the slot where `key` is looked for first, unless the filter tells that the
    // index does not hold it.
    void prefetch(std::uint64_t key) const
    {
#if defined(__GNUC__) || defined(__clang__)
        if (mayHold(key))
            __builtin_prefetch(&slots_[key & (slots_.size() - 1)]);
#else
        (void)key;
#endif
    }

    std::size_t size() const
    {
        return used_;
    }
    // Keeps only the records `keep` holds true for, in an index of their size.
    template <typename Keep>
    void keepOnly(Keep keep)
    {
        std::size_t count = 0;
        for (const CallRecord& record : slots_)
            count += record.key != 0 && keep(record) ? 1 : 0;
        CallIndex kept(count);
        for (const CallRecord& record : slots_)
            if (record.key != 0 && keep(record))
                kept.recordOf(record.key) = record;
        kept.makeFilter();
        *this = std::move(kept);
    }

private:
    void grow();
    std::size_t slotOf(std::uint64_t key) const;
    void makeFilter();
    void addToFilter(std::uint64_t key);
    bool mayHold(std::uint64_t key) const
    {
        const std::uint64_t bit = key >> filterShift_;
        return filter_.empty() || ((filter_[bit / 64] >> (bit % 64)) & 1) != 0;
    }

    std::vector<CallRecord, HugePageAllocator<CallRecord>> slots_;
    std::size_t used_ = 0;
    // One bit for each value of the keys' top bits, set for every key held. Made by
    // keepOnly for the look-ups that follow: small enough to stay in the cache, it
    // settles most keys the index does not hold without a look at the slots.
    std::vector<std::uint64_t> filter_;
    unsigned filterShift_ = 0;
};

} // namespace borvelin
