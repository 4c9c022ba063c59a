// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CallRecord.h"
#include "check/KeyFilter.h"
#include "jobs/HugePageAllocator.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace borvelin {

// One CallRecord per distinct call, found by the call's hash in capitals: memory grows
// with the calls of the list, never with its lines.
//
// The records lie one after the other in the order their calls came, in chunks that
// never move. The table that finds them holds, for each slot, the record's place and 32
// bits of its key, eight slots to a cache line: a look-up reads a line of the table and
// the record's own line, and growing moves only the table, which needs no record for it.
class CallIndex {
public:
    static std::uint64_t keyOf(std::string_view call);
    // The key of a call whose callHash is `hash`.
    static std::uint64_t keyOfHash(std::uint64_t hash) { return hash == 0 ? 1 : hash; }

    // The record of `key`, made when the call is new. It stays where it is.
    CallRecord& recordOf(std::uint64_t key);
    CallRecord* find(std::uint64_t key);
    const CallRecord* find(std::uint64_t key) const;
    // Asks for the line of the table where `key` is looked for first.
    void prefetchSlot(std::uint64_t key) const;
    // Asks for the record of `key`, if the index holds it: best once its slot is at hand.
    void prefetchRecord(std::uint64_t key) const;

    std::size_t size() const { return count_; }
    template <typename Visit>
    void forEach(Visit visit) const
    {
        for (std::uint32_t index = 0; index < count_; ++index)
            visit(at(index));
    }
    // Keeps only the records `keep` holds true for, in an index of their size, with a
    // filter in front of them for the look-ups that follow.
    template <typename Keep>
    void keepOnly(Keep keep)
    {
        CallIndex kept;
        forEach([&](const CallRecord& record) {
            if (keep(record))
                kept.recordOf(record.key) = record;
        });
        kept.makeFilter();
        *this = std::move(kept);
    }

private:
    struct Slot {
        std::uint32_t fingerprint = 0; // the key's top half, whose low bits pick the slot
        std::uint32_t record = 0;      // the record's place + 1; 0 marks a free slot
    };
    // 32,768 records to a chunk, 2 MiB.
    static constexpr unsigned ChunkBits = 15;
    static constexpr std::uint32_t ChunkRecords = std::uint32_t{1} << ChunkBits;

    static std::uint32_t fingerprintOf(std::uint64_t key) { return static_cast<std::uint32_t>(key >> 32); }
    const CallRecord& at(std::uint32_t index) const { return chunks_[index >> ChunkBits][index & (ChunkRecords - 1)]; }
    CallRecord& at(std::uint32_t index) { return chunks_[index >> ChunkBits][index & (ChunkRecords - 1)]; }
    std::size_t slotOf(std::uint64_t key) const;
    CallRecord& add(std::uint64_t key);
    void grow();
    void makeFilter();

    std::vector<Slot, HugePageAllocator<Slot>> slots_;
    std::vector<std::vector<CallRecord, HugePageAllocator<CallRecord>>> chunks_;
    std::uint32_t count_ = 0;
    KeyFilter filter_; // of every key held, once keepOnly has made it
};

} // namespace borvelin
