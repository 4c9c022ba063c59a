// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/BitFilter.h"
#include "calls/HugePageAllocator.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace borvelin {

// One Record per distinct call, found by the call's hash (CallHash.h). Every table of
// the program that knows calls is one of these; each command keeps only its own record.
//
// The records lie one after the other in the order their calls came, in chunks of 2 MiB
// that never move, so that a record stays where it is while the table grows. The slots
// that find them hold the record's place and the top 32 bits of its hash (the
// fingerprint), eight slots to a cache line: a look-up reads a line of slots, compares
// fingerprints there, and reads a record only where one fits. Growing moves only the
// slots, which need no record for it. At most half the slots are taken, so that probes
// stay short.
//
// A table looked up for every line of a list outgrows the caches; its users ask for a
// slot (prefetchSlot) and then for the record (prefetchRecord) some lines before they
// need it (LookAheadRing.h), so that many look-ups wait for memory at once. Where most
// calls looked up are not in the table, a bit filter in front of it (makeFilter)
// settles them from the cache.
//
// `matches(record)` tells whether a record is the call's: the table compares nothing
// itself, since some tables compare calls byte for byte and others in capitals.
template <typename Record>
class CallTable {
public:
    static constexpr std::uint32_t NotThere = std::numeric_limits<std::uint32_t>::max();

    // The place of the call's record, or NotThere.
    template <typename Matches>
    std::uint32_t placeOf(std::uint64_t hash, Matches matches) const
    {
        if (slots_.empty() || !filter_.mayHold(hash))
            return NotThere;
        const Slot& slot = slots_[slotOf(fingerprintOf(hash), matches)];
        return slot.place == 0 ? NotThere : slot.place - 1;
    }
    template <typename Matches>
    Record* find(std::uint64_t hash, Matches matches)
    {
        const std::uint32_t place = placeOf(hash, matches);
        return place == NotThere ? nullptr : &at(place);
    }
    template <typename Matches>
    const Record* find(std::uint64_t hash, Matches matches) const
    {
        const std::uint32_t place = placeOf(hash, matches);
        return place == NotThere ? nullptr : &at(place);
    }

    // The place of the call's record, made by `make()` when the table has none.
    template <typename Matches, typename Make>
    std::uint32_t placeOrAdd(std::uint64_t hash, Matches matches, Make make)
    {
        if (2 * (std::size_t{count_} + 1) > slots_.size())
            grow();
        const std::uint32_t fingerprint = fingerprintOf(hash);
        Slot& slot = slots_[slotOf(fingerprint, matches)];
        if (slot.place == 0) {
            append(make());
            slot = {fingerprint, count_};
            if (filter_.madeWithRoom())
                filter_.add(hash);
        }
        return slot.place - 1;
    }
    template <typename Matches, typename Make>
    Record& findOrAdd(std::uint64_t hash, Matches matches, Make make)
    {
        return at(placeOrAdd(hash, matches, make));
    }

    Record& at(std::uint32_t place) { return chunks_[place >> ChunkBits][place & (ChunkRecords - 1)]; }
    const Record& at(std::uint32_t place) const { return chunks_[place >> ChunkBits][place & (ChunkRecords - 1)]; }
    std::size_t size() const { return count_; }

    // Every record, in the order their calls came.
    template <typename Visit>
    void forEach(Visit visit) const
    {
        for (std::uint32_t place = 0; place < count_; ++place)
            visit(at(place));
    }
    template <typename Visit>
    void forEach(Visit visit)
    {
        for (std::uint32_t place = 0; place < count_; ++place)
            visit(at(place));
    }

    // Asks for the line of slots where the call is looked for first (and the filter's
    // word for it).
    void prefetchSlot([[maybe_unused]] std::uint64_t hash) const
    {
        filter_.prefetch(hash);
#if defined(__GNUC__) || defined(__clang__)
        if (!slots_.empty())
            __builtin_prefetch(&slots_[fingerprintOf(hash) & (slots_.size() - 1)]);
#endif
    }
    // Asks for the record of the first slot with the call's fingerprint: best once that
    // slot is at hand. The record itself is not read to make sure, which would be the
    // very wait this is to spare.
    void prefetchRecord([[maybe_unused]] std::uint64_t hash) const
    {
#if defined(__GNUC__) || defined(__clang__)
        if (slots_.empty() || !filter_.mayHold(hash))
            return;
        const std::size_t mask = slots_.size() - 1;
        const std::uint32_t fingerprint = fingerprintOf(hash);
        for (std::size_t slot = fingerprint & mask; slots_[slot].place != 0; slot = (slot + 1) & mask) {
            if (slots_[slot].fingerprint == fingerprint) {
                __builtin_prefetch(&at(slots_[slot].place - 1));
                return;
            }
        }
#endif
    }

    // Puts a filter of every call held, at `bitsPerCall` bits each, in front of the
    // look-ups that follow; calls added later are added to it.
    void makeFilter(std::size_t bitsPerCall)
    {
        filter_ = BitFilter(count_, bitsPerCall);
        for (const Slot& slot : slots_)
            if (slot.place != 0)
                filter_.add(hashOfFingerprint(slot.fingerprint));
    }
    bool mayHold(std::uint64_t hash) const
    {
        return filter_.mayHold(hash);
    }

    // Keeps only the records `keep` holds true for, in a table of their size, their
    // order kept.
    template <typename Keep>
    void keepOnly(Keep keep)
    {
        std::vector<std::uint32_t> fingerprints(count_);
        for (const Slot& slot : slots_)
            if (slot.place != 0)
                fingerprints[slot.place - 1] = slot.fingerprint;
        CallTable kept;
        for (std::uint32_t place = 0; place < count_; ++place) {
            if (!keep(at(place)))
                continue;
            if (2 * (std::size_t{kept.count_} + 1) > kept.slots_.size())
                kept.grow();
            kept.append(std::move(at(place)));
            kept.slots_[kept.freeSlotOf(fingerprints[place])] = {fingerprints[place], kept.count_};
        }
        *this = std::move(kept);
    }

private:
    struct Slot {
        std::uint32_t fingerprint = 0;
        std::uint32_t place = 0; // the record's place + 1; 0: the slot is free
    };
    static constexpr std::size_t ChunkBytes = std::size_t{2} << 20;
    static constexpr unsigned ChunkBits = std::bit_width(ChunkBytes / sizeof(Record)) - 1;
    static constexpr std::uint32_t ChunkRecords = std::uint32_t{1} << ChunkBits;
    static constexpr std::size_t FirstSlotCount = 1024;

    static std::uint32_t fingerprintOf(std::uint64_t hash)
    {
        return static_cast<std::uint32_t>(hash >> 32);
    }
    // A hash with the fingerprint's bits, for the filter, which looks at the top bits.
    static std::uint64_t hashOfFingerprint(std::uint32_t fingerprint)
    {
        return std::uint64_t{fingerprint} << 32;
    }

    // Where the call stands, or the free slot where it would go.
    template <typename Matches>
    std::size_t slotOf(std::uint32_t fingerprint, Matches& matches) const
    {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = fingerprint & mask;; slot = (slot + 1) & mask) {
            const Slot& entry = slots_[slot];
            if (entry.place == 0 || (entry.fingerprint == fingerprint && matches(at(entry.place - 1))))
                return slot;
        }
    }
    std::size_t freeSlotOf(std::uint32_t fingerprint) const
    {
        const std::size_t mask = slots_.size() - 1;
        std::size_t slot = fingerprint & mask;
        while (slots_[slot].place != 0)
            slot = (slot + 1) & mask;
        return slot;
    }

    // A new record at the end of the last chunk, which is never filled beyond its room.
    template <typename Made>
    void append(Made&& record)
    {
        if (count_ == std::numeric_limits<std::uint32_t>::max() - 1)
            throw std::length_error("more than four thousand million calls");
        if (count_ % ChunkRecords == 0)
            chunks_.emplace_back().reserve(ChunkRecords);
        chunks_.back().push_back(std::forward<Made>(record));
        ++count_;
    }

    void grow()
    {
        std::vector<Slot, HugePageAllocator<Slot>> old(std::max(FirstSlotCount, 2 * slots_.size()));
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.place != 0)
                slots_[freeSlotOf(slot.fingerprint)] = slot;
    }

    std::vector<Slot, HugePageAllocator<Slot>> slots_;
    std::vector<std::vector<Record, HugePageAllocator<Record>>> chunks_;
    std::uint32_t count_ = 0;
    BitFilter filter_; // holds everything until made
};

} // namespace borvelin
