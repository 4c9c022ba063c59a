// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace borvelin {

// How many records name each QSL manager. Calls are distinct byte for byte (Q2ABC and
// q2abc are two managers) and listed in ascending byte order. The tally lives as long
// as the program: a second List of 25+ counts on top of the first.
class ManagerTally {
public:
    static constexpr std::size_t MaxManagers = 100000;
    static constexpr std::int16_t MaxHits = 32767;

    // Counts one record for `call`. Throws JobError (Overflow) when the count would
    // pass MaxHits, and (Subscript out of range) for a manager beyond MaxManagers.
    void AddManager(std::string_view call) { AddManager(call, hashOf(call)); }
    // The same, with the call's hashOf worked out before.
    void AddManager(std::string_view call, std::uint64_t hash);

    // Starts loading the place where the call of this hashOf is counted, so that the
    // AddManager that follows some time later does not wait for memory. A hint only: it
    // changes nothing.
    void prepareFor(std::uint64_t hash) const;

    static std::uint64_t hashOf(std::string_view call);

    std::size_t MgrCount() const { return count_; }
    // The count of `call`, 0 when the tally does not hold it.
    int hitsOf(std::string_view call) const;

    using Entry = std::pair<std::string_view, std::int16_t>;
    // Every manager with its count, in ascending byte order of the calls; valid until
    // the next AddManager.
    std::vector<Entry> SortManagers() const;

private:
    static constexpr std::size_t InlineCallLength = 12;
    static constexpr std::uint8_t LongCall = 0xFF;

    // The tally is a hashed table of these, each the size of a quarter cache line. A
    // list of 25+ looks a manager up for nearly every line, and with many managers
    // the table outgrows the caches: keeping a call in its slot makes each look-up one
    // read from memory. A longer call is kept in longCalls_, its index in the slot.
    struct Slot {
        std::array<char, InlineCallLength> call;
        std::uint8_t length; // of the call, or LongCall
        std::uint8_t unused;
        std::int16_t hits; // 0: the slot is free
    };

    Slot* find(std::string_view call, std::uint64_t hash);
    const Slot* find(std::string_view call, std::uint64_t hash) const;
    std::string_view callOf(const Slot& slot) const;
    void store(Slot& slot, std::string_view call);
    std::size_t slotIndex(std::uint64_t hash) const;
    void grow();

    std::vector<Slot> slots_;
    std::vector<std::string> longCalls_;
    std::size_t count_ = 0;
    unsigned indexBits_ = 0; // slots_.size() == 1 << indexBits_
};

} // namespace borvelin
