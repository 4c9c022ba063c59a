#pragma once

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
    void AddManager(std::string_view call);

    std::size_t MgrCount() const { return entries_.size(); }
    // The count of `call`, 0 when the tally does not hold it.
    int hitsOf(std::string_view call) const;

    using Entry = std::pair<std::string_view, std::int16_t>;
    // Every manager with its count, in ascending byte order of the calls; valid until
    // the next AddManager.
    std::vector<Entry> SortManagers() const;

private:
    struct Manager {
        std::string call;
        std::int16_t hits;
    };

    // An open-addressing index over entries_: each slot holds the upper half of the
    // call's hash and the entry's position plus one (0: empty). One list of 25+ looks
    // a manager up for nearly every line, so the lookup must stay cheap.
    Manager* find(std::string_view call, std::uint64_t hash, std::size_t& slot) const;
    void grow();

    std::vector<Manager> entries_;
    std::vector<std::uint64_t> slots_;
};

} // namespace borvelin
