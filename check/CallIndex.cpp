// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CallIndex.h"

#include "lookup/CallHash.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace borvelin {

namespace {

constexpr std::size_t FirstSize = 1024;
// Bits of the filter for each key held: about one key in twenty not held gets past it.
constexpr std::size_t FilterBitsPerKey = 16;

} // namespace

CallIndex::CallIndex(std::size_t expected) : slots_(std::max(FirstSize, std::bit_ceil(2 * expected))) {}

std::uint64_t CallIndex::keyOf(std::string_view call)
{
    return keyOfHash(callHash(call));
}

// Where `key` stands, or the free slot where it would go.
std::size_t CallIndex::slotOf(std::uint64_t key) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = key & mask;
    while (slots_[slot].key != 0 && slots_[slot].key != key)
        slot = (slot + 1) & mask;
    return slot;
}

CallRecord& CallIndex::recordOf(std::uint64_t key)
{
    std::size_t slot = slotOf(key);
    if (slots_[slot].key == key)
        return slots_[slot];
    // Grows at three quarters full, so that probes stay short.
    if (4 * (used_ + 1) > 3 * slots_.size()) {
        grow();
        slot = slotOf(key);
    }
    ++used_;
    slots_[slot].key = key;
    if (!filter_.empty())
        addToFilter(key);
    return slots_[slot];
}

const CallRecord* CallIndex::find(std::uint64_t key) const
{
    if (!mayHold(key))
        return nullptr;
    const std::size_t slot = slotOf(key);
    return slots_[slot].key == key ? &slots_[slot] : nullptr;
}

CallRecord* CallIndex::find(std::uint64_t key)
{
    return const_cast<CallRecord*>(std::as_const(*this).find(key)); // the same look-up
}

void CallIndex::makeFilter()
{
    const std::size_t bits = std::bit_ceil(std::max<std::size_t>(64, FilterBitsPerKey * used_));
    filter_.assign(bits / 64, 0);
    filterShift_ = 64 - static_cast<unsigned>(std::countr_zero(bits));
    for (const CallRecord& record : slots_)
        if (record.key != 0)
            addToFilter(record.key);
}

void CallIndex::addToFilter(std::uint64_t key)
{
    const std::uint64_t bit = key >> filterShift_;
    filter_[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

void CallIndex::grow()
{
    std::vector<CallRecord, HugePageAllocator<CallRecord>> old(2 * slots_.size());
    old.swap(slots_);
    for (const CallRecord& record : old)
        if (record.key != 0)
            slots_[slotOf(record.key)] = record;
}

} // namespace borvelin
