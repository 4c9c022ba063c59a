// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CallIndex.h"

#include "jobs/JobError.h"
#include "lookup/CallHash.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace borvelin {

namespace {

constexpr std::size_t FirstSlotCount = 1024;
// Bits of the filter for each key held: about one key in twenty not held gets past it.
constexpr std::size_t FilterBitsPerKey = 16;

void prefetchLine([[maybe_unused]] const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#endif
}

} // namespace

std::uint64_t CallIndex::keyOf(std::string_view call)
{
    return keyOfHash(callHash(call));
}

// Where `key` stands, or the free slot where it would go.
std::size_t CallIndex::slotOf(std::uint64_t key) const
{
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t fingerprint = fingerprintOf(key);
    for (std::size_t slot = fingerprint & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = slots_[slot];
        if (entry.record == 0 || (entry.fingerprint == fingerprint && at(entry.record - 1).key == key))
            return slot;
    }
}

CallRecord& CallIndex::recordOf(std::uint64_t key)
{
    if (slots_.empty())
        grow();
    std::size_t slot = slotOf(key);
    if (slots_[slot].record != 0)
        return at(slots_[slot].record - 1);
    // Half full at most, so that probes stay short.
    if (2 * (std::size_t{count_} + 1) > slots_.size()) {
        grow();
        slot = slotOf(key);
    }
    CallRecord& record = add(key);
    slots_[slot] = {fingerprintOf(key), count_};
    return record;
}

// A new record at the end of the last chunk, which is never filled beyond its room.
CallRecord& CallIndex::add(std::uint64_t key)
{
    if (count_ == std::numeric_limits<std::uint32_t>::max())
        throw JobError(ErrorNumber::Overflow, "Overflow");
    if (count_ % ChunkRecords == 0)
        chunks_.emplace_back().reserve(ChunkRecords);
    CallRecord& record = chunks_.back().emplace_back();
    record.key = key;
    ++count_;
    if (filter_.madeWithRoom())
        filter_.add(key);
    return record;
}

const CallRecord* CallIndex::find(std::uint64_t key) const
{
    if (slots_.empty() || !filter_.mayHold(key))
        return nullptr;
    const Slot& entry = slots_[slotOf(key)];
    return entry.record == 0 ? nullptr : &at(entry.record - 1);
}

CallRecord* CallIndex::find(std::uint64_t key)
{
    return const_cast<CallRecord*>(std::as_const(*this).find(key)); // the same look-up
}

void CallIndex::prefetchSlot(std::uint64_t key) const
{
    if (filter_.madeWithRoom())
        prefetchLine(filter_.wordFor(key));
    if (!slots_.empty())
        prefetchLine(&slots_[fingerprintOf(key) & (slots_.size() - 1)]);
}

// The record of the first slot with the key's fingerprint: the record itself is not
// read to make sure, which would be the very wait this is to spare.
void CallIndex::prefetchRecord(std::uint64_t key) const
{
    if (slots_.empty() || !filter_.mayHold(key))
        return;
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t fingerprint = fingerprintOf(key);
    for (std::size_t slot = fingerprint & mask; slots_[slot].record != 0; slot = (slot + 1) & mask) {
        if (slots_[slot].fingerprint == fingerprint) {
            prefetchLine(&at(slots_[slot].record - 1));
            return;
        }
    }
}

void CallIndex::grow()
{
    std::vector<Slot, HugePageAllocator<Slot>> old(std::max(FirstSlotCount, 2 * slots_.size()));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& entry : old) {
        if (entry.record == 0)
            continue;
        std::size_t slot = entry.fingerprint & mask;
        while (slots_[slot].record != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = entry;
    }
}

void CallIndex::makeFilter()
{
    filter_ = KeyFilter(count_, FilterBitsPerKey);
    forEach([this](const CallRecord& record) { filter_.add(record.key); });
}

} // namespace borvelin
