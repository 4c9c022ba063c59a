// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/BitFilter.h"
#include "calls/CallTable.h"
#include "check/CallRecord.h"
#include "check/Finding.h"
#include "check/LineFacts.h"
#include "listline/ListEntry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace borvelin {

// The checks that compare lines: C4, C5, C6, C7, C9 and C10. A first pass surveys every
// line into one record per call; the second checks each line against the records, so
// that every line of a conflict is named, the first as well as the later ones.
//
// The records are kept in two shards by a bit of the call's key. A record is made and
// changed only by the lines that name its call, so that each shard can be surveyed on
// a thread of its own, in the order of the lines, with the same outcome as one thread.
class CrossLineChecks {
public:
    static constexpr std::size_t Shards = 2;

    // The first pass, in the order of the lines: what `facts` say of the calls of `shard`.
    void survey(std::size_t shard, const SurveyFacts& facts, std::uint32_t lineNumber);
    // Ask for what a survey of `facts` will use in `shard`, so that several lines' records
    // are on their way from memory at once: first the lines of the table that find them,
    // then, once those are at hand, the records.
    void prefetchSlots(std::size_t shard, const SurveyFacts& facts) const;
    void prefetchRecords(std::size_t shard, const SurveyFacts& facts) const;
    // Keeps only what the checks can ask for: memory and lookups shrink to the calls
    // that have something to compare.
    void finishSurvey();

    // The key of the call that begins `line`, 0 for none; and, for the second pass, the
    // asking for its record in two steps, as in the survey.
    static std::uint64_t keyOfLine(std::string_view line);
    void prefetchSlot(std::uint64_t key) const;
    void prefetchRecord(std::uint64_t key) const;
    // Asks for what C7 and C9 will look at first for a line naming this manager.
    void prefetchManager(std::uint64_t managerKey) const;
    // The second pass: C4, C6, C7, C9 and C10 of one line, in that order. It changes
    // nothing, so that two threads may check lines at once. Gives back the record C5
    // compares the line with, or nullptr when the call has no other line.
    CallRecord* check(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings);
    // C5, in the order of the lines: the earlier line that `lineId` repeats, or 0.
    static std::uint32_t repeatedLine(CallRecord& record, std::uint32_t lineId, std::uint32_t lineNumber);

private:
    using CallIndex = CallTable<CallRecord>;
    static std::size_t shardOf(std::uint64_t key) { return key & 1; } // a bit no table looks at
    CallIndex& indexOf(std::uint64_t key) { return shards_[shardOf(key)]; }
    const CallIndex& indexOf(std::uint64_t key) const { return shards_[shardOf(key)]; }
    static CallRecord& recordOf(CallIndex& index, std::uint64_t key);
    static CallRecord* find(CallIndex& index, std::uint64_t key);
    static const CallRecord* find(const CallIndex& index, std::uint64_t key);

    void filterManagersToCheck();
    void surveyRoute(CallRecord& record, const SurveyFacts& facts, std::uint32_t lineNumber);
    static void checkRoutes(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings);
    static void checkNotVia(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings);
    void checkManager(const LineFacts& facts, std::vector<Finding>& findings) const;
    void checkSeeAlso(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings) const;

    // Most lines name a manager, and few managers have own lines that C7 or C9 name:
    // their filter, at this many bits each, spares most of those lines a look-up.
    static constexpr std::size_t ManagerFilterBitsPerKey = 32;
    // The filter in front of the records kept for the second pass: about one call in
    // twenty that has none gets past it.
    static constexpr std::size_t RecordFilterBitsPerKey = 16;

    std::array<CallIndex, Shards> shards_;
    BitFilter managersToCheck_; // C7 and C9: managers with own lines that say something
};

// Line numbers are kept in 32 bits; a longer list fails with error 6.
std::uint32_t checkedLineNumber(std::uint64_t count);

} // namespace borvelin
