// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/StationTable.h"

#include "calls/CallHash.h"
#include "text/Capitals.h"

#include <algorithm>
#include <cstring>

namespace borvelin {

// Its small letters are made capitals eight at a time.
ShortCall::ShortCall(std::string_view call) : length_(static_cast<std::uint8_t>(std::min(call.size(), MostBytes)))
{
    char bytes[16] = {};
    std::memcpy(bytes, call.data(), length_);
    std::uint64_t words[2];
    std::memcpy(words, bytes, sizeof words);
    words[0] = inCapitals(words[0]);
    words[1] = inCapitals(words[1]);
    std::memcpy(bytes_.data(), words, bytes_.size());
}

namespace {

struct Words {
    std::uint64_t first;
    std::uint64_t second;
};

Words wordsOf(const ShortCall& call)
{
    static_assert(sizeof(ShortCall) == sizeof(Words));
    Words words;
    std::memcpy(&words, &call, sizeof words);
    return words;
}

} // namespace

std::uint64_t ShortCall::hash() const
{
    return callHashOfPaddedCapitals(bytes_.data(), length_);
}

bool ShortCall::operator==(const ShortCall& other) const
{
    const Words mine = wordsOf(*this);
    const Words theirs = wordsOf(other);
    return mine.first == theirs.first && mine.second == theirs.second;
}

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

void StationTable::addRow(const ShortCall& call, const ShortCall& manager, std::int32_t date)
{
    rows_.add({call, manager, date, call.hash()}, *this);
}

void StationTable::take(const Row& row)
{
    if (lastStation_ != CallTable<ImportedStation>::NotThere && stations_.at(lastStation_).call == row.call) {
        takeRow(stations_.at(lastStation_), row.manager, row.date);
        return;
    }
    const std::size_t before = stations_.size();
    lastStation_ = stations_.placeOrAdd(row.hash, isStation(row.call),
                                        [&] { return ImportedStation{row.call, row.manager, {}, row.date, 0, false}; });
    if (stations_.size() == before)
        takeRow(stations_.at(lastStation_), row.manager, row.date);
}

// Keeps the two newest managers that differ.
void StationTable::takeRow(ImportedStation& station, const ShortCall& manager, std::int32_t date)
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
