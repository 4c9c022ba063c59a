// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace borvelin {

// A well-formed call, at most 12 bytes, kept in capitals without a heap block of its own.
class ShortCall {
public:
    static constexpr std::size_t MostBytes = 12;

    ShortCall() = default;
    // `call` must be a well-formed call; it is kept in capitals.
    explicit ShortCall(std::string_view call);
    std::string_view view() const { return {bytes_.data(), length_}; }
    bool empty() const { return length_ == 0; }
    bool operator==(const ShortCall& other) const { return view() == other.view(); }

private:
    std::array<char, MostBytes> bytes_{};
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
    const std::vector<ImportedStation>& stations() const { return stations_; }

private:
    static void takeRow(ImportedStation& station, const ShortCall& manager, std::int32_t date);
    std::size_t slotOf(const ShortCall& call) const;
    void grow();

    std::vector<ImportedStation> stations_;
    std::vector<std::uint32_t> slots_; // open addressing: 0 free, else index + 1 into stations_
};

} // namespace borvelin
