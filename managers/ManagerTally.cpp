// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/ManagerTally.h"

#include "jobs/JobError.h"

#include <algorithm>
#include <cstring>

namespace borvelin {

namespace {

constexpr unsigned InitialIndexBits = 10;

// The call's first eight bytes, the first the most significant, zero bytes behind a
// shorter call.
std::uint64_t firstBytesOf(std::string_view call)
{
    std::uint64_t bytes = 0;
    for (std::size_t index = 0; index < 8; ++index)
        bytes = (bytes << 8) | (index < call.size() ? static_cast<unsigned char>(call[index]) : 0u);
    return bytes;
}

} // namespace

// FNV-1a over the call's bytes.
std::uint64_t ManagerTally::hashOf(std::string_view call)
{
    std::uint64_t hash = 14695981039346656037u;
    for (const char byte : call) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211u;
    }
    return hash;
}

// The top bits of the hash times the golden ratio pick the slot: all of the hash's
// bits reach them, where its low bits alone would follow only the calls' low bits.
std::size_t ManagerTally::slotIndex(std::uint64_t hash) const
{
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15u) >> (64 - indexBits_));
}

std::string_view ManagerTally::callOf(const Slot& slot) const
{
    if (slot.length != LongCall)
        return {slot.call.data(), slot.length};
    std::uint32_t index = 0;
    std::memcpy(&index, slot.call.data(), sizeof index);
    return longCalls_[index];
}

const ManagerTally::Slot* ManagerTally::find(std::string_view call, std::uint64_t hash) const
{
    if (slots_.empty())
        return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t index = slotIndex(hash);; index = (index + 1) & mask) {
        const Slot& slot = slots_[index];
        if (slot.hits == 0 || callOf(slot) == call)
            return &slot;
    }
}

ManagerTally::Slot* ManagerTally::find(std::string_view call, std::uint64_t hash)
{
    return const_cast<Slot*>(std::as_const(*this).find(call, hash));
}

void ManagerTally::store(Slot& slot, std::string_view call)
{
    if (call.size() <= InlineCallLength) {
        std::memcpy(slot.call.data(), call.data(), call.size());
        slot.length = static_cast<std::uint8_t>(call.size());
    } else {
        const auto index = static_cast<std::uint32_t>(longCalls_.size());
        longCalls_.emplace_back(call);
        std::memcpy(slot.call.data(), &index, sizeof index);
        slot.length = LongCall;
    }
}

void ManagerTally::grow()
{
    const std::vector<Slot> old = std::move(slots_);
    indexBits_ = old.empty() ? InitialIndexBits : indexBits_ + 1;
    slots_.assign(std::size_t{1} << indexBits_, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.hits == 0)
            continue;
        std::size_t index = slotIndex(hashOf(callOf(slot)));
        while (slots_[index].hits != 0)
            index = (index + 1) & mask;
        slots_[index] = slot;
    }
}

void ManagerTally::AddManager(std::string_view call, std::uint64_t hash)
{
    Slot* slot = find(call, hash);
    if (slot && slot->hits != 0) {
        if (slot->hits == MaxHits)
            throw JobError(ErrorNumber::Overflow,
                           "Overflow (more than 32767 records name the manager " + std::string(call) + ")");
        ++slot->hits;
        return;
    }
    if (count_ == MaxManagers)
        throw JobError(ErrorNumber::SubscriptOutOfRange,
                       "Subscript out of range (more than 100000 managers; " + std::string(call) + " was not counted)");
    if ((count_ + 1) * 4 > slots_.size() * 3) {
        grow();
        slot = find(call, hash); // the free slot in the new table
    }
    store(*slot, call);
    slot->hits = 1;
    ++count_;
}

void ManagerTally::prepareFor(std::uint64_t hash) const
{
#if defined(__GNUC__) || defined(__clang__)
    if (!slots_.empty())
        __builtin_prefetch(&slots_[slotIndex(hash)]);
#else
    (void)hash;
#endif
}

int ManagerTally::hitsOf(std::string_view call) const
{
    const Slot* slot = find(call, hashOf(call));
    return slot ? slot->hits : 0;
}

std::vector<ManagerTally::Entry> ManagerTally::SortManagers() const
{
    // Sorting by the first eight bytes as one number settles nearly every comparison
    // without reading the calls; padding a short call with zero bytes, the lowest there
    // are, keeps the order a byte-by-byte comparison gives. Ties compare the whole calls:
    // std::string_view compares bytes as unsigned char, an ordinal, case-sensitive order.
    // The slot's index rather than its call keeps the sort's memory at half.
    struct Keyed {
        std::uint64_t firstBytes;
        std::size_t slot;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(count_);
    for (std::size_t index = 0; index < slots_.size(); ++index) {
        if (slots_[index].hits != 0)
            keyed.push_back({firstBytesOf(callOf(slots_[index])), index});
    }
    std::sort(keyed.begin(), keyed.end(), [this](const Keyed& a, const Keyed& b) {
        if (a.firstBytes != b.firstBytes)
            return a.firstBytes < b.firstBytes;
        return callOf(slots_[a.slot]) < callOf(slots_[b.slot]);
    });
    std::vector<Entry> sorted;
    sorted.reserve(keyed.size());
    for (const Keyed& manager : keyed)
        sorted.emplace_back(callOf(slots_[manager.slot]), slots_[manager.slot].hits);
    return sorted;
}

} // namespace borvelin
