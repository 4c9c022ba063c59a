// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallTable.h"
#include "calls/LookAheadRing.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace borvelin {

// A well-formed call, at most 12 bytes, kept in capitals without a heap block of its own.
// Its 16 bytes, zeros behind the call, compare and hash as two words.
class ShortCall {
public:
    static constexpr std::size_t MostBytes = 12;

    ShortCall() = default;
    // `call` must be a well-formed call; it is kept in capitals.
    explicit ShortCall(std::string_view call);
    std::string_view view() const { return {bytes_.data(), length_}; }
    bool empty() const { return length_ == 0; }
    bool operator==(const ShortCall& other) const;
    // Its callHash.
    std::uint64_t hash() const;

private:
    std::array<char, 15> bytes_{}; // the call, zeros behind it
    std::uint8_t length_ = 0;
};

// What the import knows of one station: the manager of its newest row and, as its
// former manager, that of the newest row naming another one.
struct ImportedStation {
    ShortCall call;
    ShortCall manager;
    ShortCall exManager; // empty when every row named the same manager
    std::int32_t date = 0;
    std::int32_t exDate = 0;
    bool inList = false; // merging: the present list has the station
};

// The stations of an imported list, one entry per distinct call, in the order of
// their first rows: memory grows with the stations, not with the rows.
class StationTable {
public:
    // Takes one row; rows of one station come in file order, so of two rows with the
    // same date the later one counts as the newer.
    void addRow(const ShortCall& call, const ShortCall& manager, std::int32_t date);
    ImportedStation* find(const ShortCall& call);
    std::size_t size();
    // Visits every station, in the order of their first rows.
    template <typename Visit>
    void forEachStation(Visit visit)
    {
        rows_.takeAll(*this);
        stations_.forEach(visit);
    }

    // The ring's steps: with many stations the table outgrows the caches, and a row is
    // taken RowsAhead rows late, its slot and then its station asked for meanwhile.
    struct Row {
        ShortCall call;
        ShortCall manager;
        std::int32_t date;
        std::uint64_t hash;
    };
    void askForSlot(const Row& row) const { stations_.prefetchSlot(row.hash); }
    void askForRecord(const Row& row) const { stations_.prefetchRecord(row.hash); }
    void take(const Row& row);

private:
    static constexpr std::size_t RowsAhead = 16;

    static void takeRow(ImportedStation& station, const ShortCall& manager, std::int32_t date);
    static auto isStation(const ShortCall& call)
    {
        return [&call](const ImportedStation& station) { return station.call == call; };
    }

    CallTable<ImportedStation> stations_;
    // Lists give a station's rows one after the other: the last station is tried first.
    std::uint32_t lastStation_ = CallTable<ImportedStation>::NotThere;
    LookAheadRing<Row, RowsAhead> rows_;
};

} // namespace borvelin
