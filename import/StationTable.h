// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallTable.h"
#include "calls/LookAheadRing.h"
#include "calls/ShortCall.h"
#include "import/HistoryRows.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace borvelin {

// What the import knows of one station: the manager of its newest row and, as its
// former manager, that of the newest row naming another one.
struct ImportedStation {
    ShortCall call;
    ShortCall manager;
    ShortCall exManager; // empty when every row named the same manager
    std::int32_t date = 0;
    std::int32_t exDate = 0;
    bool inList = false;      // merging: the present list has the station
    bool historyOnly = false; // merging: only the present history has the station
};

// The stations of an imported list, one entry per distinct call, in the order of
// their first rows, with their rows for the history: memory grows with the stations,
// and by a small row with the rows.
class StationTable {
public:
    // Takes one row; rows of one station come in file order, so of two rows with the
    // same date the later one counts as the newer. `source` is the row's source's number.
    void addRow(const ShortCall& call, const ShortCall& manager, std::int32_t date, std::uint32_t source);
    // Takes a row of the present history, which gives no station its manager.
    void addHistoryRow(const ShortCall& call, const ShortCall& manager, std::int32_t date, std::uint32_t source);
    ImportedStation* find(const ShortCall& call);
    std::size_t size();
    // Visits every station, in the order of their first rows, which is the order of
    // their places.
    template <typename Visit>
    void forEachStation(Visit visit)
    {
        rows_.takeAll(*this);
        stations_.forEach(visit);
    }
    // Takes the rows still waiting: after it the table changes only when a row is added,
    // and several threads may read it.
    void takeWaitingRows() { rows_.takeAll(*this); }
    // Visits every station taken, in the order of their places.
    template <typename Visit>
    void forEachTakenStation(Visit visit) const
    {
        stations_.forEach(visit);
    }
    // The rows taken, for the history.
    const HistoryRows& historyRows() const { return history_; }

    // The ring's steps: with many stations the table outgrows the caches, and a row is
    // taken RowsAhead rows late, its slot and then its station asked for meanwhile.
    struct Row {
        ShortCall call;
        ShortCall manager;
        std::int32_t date;
        std::uint32_t source;
        std::uint64_t hash;
        bool historyOnly;
    };
    void askForSlot(const Row& row) const { stations_.prefetchSlot(row.hash); }
    void askForRecord(const Row& row) const { stations_.prefetchRecord(row.hash); }
    void take(const Row& row);

private:
    static constexpr std::size_t RowsAhead = 16;

    void takeRow(ImportedStation& station, const Row& row);
    static void takeManager(ImportedStation& station, const ShortCall& manager, std::int32_t date);
    static auto isStation(const ShortCall& call)
    {
        return [&call](const ImportedStation& station) { return station.call == call; };
    }

    CallTable<ImportedStation> stations_;
    // Lists give a station's rows one after the other: the last station is tried first.
    std::uint32_t lastStation_ = CallTable<ImportedStation>::NotThere;
    LookAheadRing<Row, RowsAhead> rows_;
    HistoryRows history_;
};

} // namespace borvelin
