// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/StationTable.h"

namespace borvelin {

ImportedStation* StationTable::find(const ShortCall& call)
{
    rows_.takeAll(*this);
    return stations_.find(call.hash(), isStation(call));
}

std::size_t StationTable::size()
{
    rows_.takeAll(*this);
    return stations_.size();
}

void StationTable::addRow(const ShortCall& call, const ShortCall& manager, std::int32_t date, std::uint32_t source)
{
    rows_.add({call, manager, date, source, call.hash(), false}, *this);
}

void StationTable::addHistoryRow(const ShortCall& call, const ShortCall& manager, std::int32_t date,
                                 std::uint32_t source)
{
    rows_.add({call, manager, date, source, call.hash(), true}, *this);
}

void StationTable::take(const Row& row)
{
    if (lastStation_ == CallTable<ImportedStation>::NotThere || !(stations_.at(lastStation_).call == row.call)) {
        lastStation_ = stations_.placeOrAdd(row.hash, isStation(row.call), [&] {
            ImportedStation station{row.call, {}, {}};
            station.historyOnly = row.historyOnly;
            return station;
        });
    }
    takeRow(stations_.at(lastStation_), row);
}

// A station's first row finds it without a manager: the row's becomes its manager.
void StationTable::takeRow(ImportedStation& station, const Row& row)
{
    if (!row.historyOnly)
        takeManager(station, row.manager, row.date);
    history_.add(lastStation_, row.manager, row.date, row.source);
}

// Keeps the two newest managers that differ.
void StationTable::takeManager(ImportedStation& station, const ShortCall& manager, std::int32_t date)
{
    if (date >= station.date) {
        if (!(manager == station.manager)) {
            station.exManager = station.manager;
            station.exDate = station.date;
            station.manager = manager;
        }
        station.date = date;
    } else if (!(manager == station.manager) && (station.exManager.empty() || date >= station.exDate)) {
        station.exManager = manager;
        station.exDate = date;
    }
}

} // namespace borvelin
