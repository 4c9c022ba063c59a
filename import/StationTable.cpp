// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/StationTable.h"

#include <algorithm>
#include <cstring>

namespace borvelin {

ShortCall::ShortCall(std::string_view call) : length_(static_cast<std::uint8_t>(std::min(call.size(), MostBytes)))
{
    for (std::size_t index = 0; index < length_; ++index) {
        const char byte = call[index];
        bytes_[index] = (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
    }
}

namespace {

constexpr std::size_t FirstSlotCount = 1024;

// FNV-1a over the call's bytes, spread by the golden ratio so that the top bits pick the slot.
std::uint64_t hashOf(std::string_view call)
{
    std::uint64_t hash = 14695981039346656037u;
    for (const char byte : call) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211u;
    }
    return hash * 0x9E3779B97F4A7C15u;
}

} // namespace

std::size_t StationTable::slotOf(const ShortCall& call) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = static_cast<std::size_t>(hashOf(call.view()) >> 32) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = slots_[slot];
        if (entry == 0 || stations_[entry - 1].call == call)
            return slot;
    }
}

void StationTable::grow()
{
    slots_.assign(std::max(FirstSlotCount, slots_.size() * 2), 0);
    for (std::size_t index = 0; index < stations_.size(); ++index)
        slots_[slotOf(stations_[index].call)] = static_cast<std::uint32_t>(index + 1);
}

ImportedStation* StationTable::find(const ShortCall& call)
{
    if (slots_.empty())
        return nullptr;
    const std::uint32_t entry = slots_[slotOf(call)];
    return entry == 0 ? nullptr : &stations_[entry - 1];
}

void StationTable::addRow(const ShortCall& call, const ShortCall& manager, std::int32_t date)
{
    if ((stations_.size() + 1) * 4 > slots_.size() * 3)
        grow();
    const std::size_t slot = slotOf(call);
    if (slots_[slot] != 0) {
        takeRow(stations_[slots_[slot] - 1], manager, date);
        return;
    }
    stations_.push_back({call, manager, {}, date, 0, false});
    slots_[slot] = static_cast<std::uint32_t>(stations_.size());
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
