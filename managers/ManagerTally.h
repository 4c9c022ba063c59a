// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallHash.h"
#include "calls/CallTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace borvelin {

// How many records name each QSL manager, for one run of List of 25+ (every run counts
// afresh). Calls are distinct byte for byte (Q2ABC and q2abc are two managers) and
// listed in ascending byte order.
class ManagerTally {
public:
    static constexpr std::size_t MaxManagers = 100000;
    static constexpr std::int16_t MaxHits = 32767;

    // Counts one record for `call`. Throws JobError (Overflow) when the count would
    // pass MaxHits, and (Subscript out of range) for a manager beyond MaxManagers.
    void AddManager(std::string_view call) { AddManager(call, callHash(call)); }
    // The same, with the call's callHash worked out before.
    void AddManager(std::string_view call, std::uint64_t hash);

    // Start loading what counting the call of this hash will read, so that the
    // AddManager that follows some records later does not wait for memory (a
    // LookAheadRing asks): first its slot, then, with the slot at hand, its manager.
    void askForSlot(std::uint64_t hash) const { managers_.prefetchSlot(hash); }
    void askForRecord(std::uint64_t hash) const { managers_.prefetchRecord(hash); }

    std::size_t MgrCount() const { return managers_.size(); }
    // The count of `call`, 0 when the tally does not hold it.
    int hitsOf(std::string_view call) const;

    using Entry = std::pair<std::string_view, std::int16_t>;
    // Every manager with its count, in ascending byte order of the calls; valid until
    // the next AddManager.
    std::vector<Entry> SortManagers() const;

private:
    static constexpr std::size_t InlineCallLength = 12;
    static constexpr std::uint8_t LongCall = 0xFF;

    // A manager in a quarter of a cache line: a call that fits is kept in the record,
    // a longer one in longCalls_, its index in the record.
    struct Manager {
        std::array<char, InlineCallLength> call;
        std::uint8_t length; // of the call, or LongCall
        std::int16_t hits;
    };

    std::string_view callOf(const Manager& manager) const;
    Manager managerOf(std::string_view call);
    auto isCall(std::string_view call) const
    {
        return [this, call](const Manager& manager) { return callOf(manager) == call; };
    }

    CallTable<Manager> managers_;
    std::vector<std::string> longCalls_;
};

} // namespace borvelin
