// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/StationTable.h"

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

constexpr std::size_t FirstSlotCount = 1024;

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

// The top 32 bits of the call's hash pick the slot and tell calls apart before they are compared.
std::uint32_t fingerprintOf(const ShortCall& call)
{
    return static_cast<std::uint32_t>(call.hash() >> 32);
}

} // namespace

bool ShortCall::operator==(const ShortCall& other) const
{
    const Words mine = wordsOf(*this);
    const Words theirs = wordsOf(other);
    return mine.first == theirs.first && mine.second == theirs.second;
}

// Both words multiplied by odd constants and folded together: every byte reaches the top bits.
std::uint64_t ShortCall::hash() const
{
    const Words words = wordsOf(*this);
    const std::uint64_t mixed = (words.first * 0x9E3779B97F4A7C15u) ^ (words.second * 0xC2B2AE3D27D4EB4Fu);
    return (mixed ^ (mixed >> 29)) * 0xBF58476D1CE4E5B9u;
}

std::size_t StationTable::slotOf(const ShortCall& call, std::uint32_t fingerprint) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = fingerprint & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = slots_[slot];
        if (entry.station == 0 || (entry.fingerprint == fingerprint && stationAt(entry.station - 1).call == call))
            return slot;
    }
}

void StationTable::grow()
{
    std::vector<Slot> old(std::max(FirstSlotCount, slots_.size() * 2));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& entry : old) {
        if (entry.station == 0)
            continue;
        std::size_t slot = entry.fingerprint & mask;
        while (slots_[slot].station != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = entry;
    }
}

ImportedStation* StationTable::find(const ShortCall& call)
{
    takeWaitingRows();
    if (slots_.empty())
        return nullptr;
    const Slot& entry = slots_[slotOf(call, fingerprintOf(call))];
    return entry.station == 0 ? nullptr : &stationAt(entry.station - 1);
}

std::size_t StationTable::size()
{
    takeWaitingRows();
    return count_;
}

ImportedStation& StationTable::addStation(const ImportedStation& station)
{
    if (count_ % ChunkSize == 0)
        chunks_.emplace_back().reserve(ChunkSize);
    ++count_;
    return chunks_.back().emplace_back(station);
}

// A row waits in a ring while its slot is fetched; halfway, its station is asked for
// through that slot; when the ring is full, the oldest row is taken.
void StationTable::addRow(const ShortCall& call, const ShortCall& manager, std::int32_t date)
{
    if (waitingCount_ == RowsAhead) {
        takeRow(waiting_[firstWaiting_]);
        firstWaiting_ = (firstWaiting_ + 1) % RowsAhead;
        --waitingCount_;
    }
    Row& row = waiting_[(firstWaiting_ + waitingCount_++) % RowsAhead];
    row = {call, manager, date, fingerprintOf(call)};
#if defined(__GNUC__) || defined(__clang__)
    if (!slots_.empty())
        __builtin_prefetch(&slots_[row.fingerprint & (slots_.size() - 1)]);
#endif
    if (waitingCount_ > RowsAhead / 2)
        prefetchStation(waiting_[(firstWaiting_ + waitingCount_ - 1 - RowsAhead / 2) % RowsAhead]);
}

void StationTable::takeWaitingRows()
{
    for (std::size_t index = 0; index < waitingCount_; ++index)
        takeRow(waiting_[(firstWaiting_ + index) % RowsAhead]);
    firstWaiting_ = 0;
    waitingCount_ = 0;
}

// The station of the first slot with the row's fingerprint: the station itself is not
// read to make sure, which would be the very wait this is to spare.
void StationTable::prefetchStation([[maybe_unused]] const Row& row) const
{
#if defined(__GNUC__) || defined(__clang__)
    if (slots_.empty())
        return;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = row.fingerprint & mask; slots_[slot].station != 0; slot = (slot + 1) & mask) {
        if (slots_[slot].fingerprint == row.fingerprint) {
            __builtin_prefetch(&stationAt(slots_[slot].station - 1));
            return;
        }
    }
#endif
}

void StationTable::takeRow(const Row& row)
{
    if (lastStation_ < count_ && stationAt(lastStation_).call == row.call) {
        takeRow(stationAt(lastStation_), row.manager, row.date);
        return;
    }
    if ((count_ + 1) * 2 > slots_.size()) // half full at most: short probes
        grow();
    Slot& entry = slots_[slotOf(row.call, row.fingerprint)];
    if (entry.station != 0) {
        lastStation_ = entry.station - 1;
        takeRow(stationAt(lastStation_), row.manager, row.date);
        return;
    }
    lastStation_ = count_;
    addStation({row.call, row.manager, {}, row.date, 0, false});
    entry = {static_cast<std::uint32_t>(count_), row.fingerprint};
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
