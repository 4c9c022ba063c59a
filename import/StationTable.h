// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    std::uint64_t hash() const;

private:
    std::array<char, 15> bytes_{};
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
        takeWaitingRows();
        for (std::size_t index = 0; index < count_; ++index)
            visit(stationAt(index));
    }

private:
    struct Row {
        ShortCall call;
        ShortCall manager;
        std::int32_t date;
        std::uint32_t fingerprint;
    };
    // With many stations the table outgrows the caches and each look-up waits for
    // memory; a row is taken this many rows late, its slot and then its station fetched
    // while the rows before it are taken.
    static constexpr std::size_t RowsAhead = 16;

    void takeWaitingRows();
    void prefetchStation(const Row& row) const;
    void takeRow(const Row& row);
    static void takeRow(ImportedStation& station, const ShortCall& manager, std::int32_t date);
    std::size_t slotOf(const ShortCall& call, std::uint32_t fingerprint) const;
    void grow();
    ImportedStation& addStation(const ImportedStation& station);
    ImportedStation& stationAt(std::size_t index) { return chunks_[index >> ChunkBits][index & (ChunkSize - 1)]; }
    const ImportedStation& stationAt(std::size_t index) const
    {
        return chunks_[index >> ChunkBits][index & (ChunkSize - 1)];
    }

    // Open addressing. A slot holds the station's index + 1 (0: free) and 32 bits of its
    // call's hash, so that a new station's probe reads only the slots: with many stations
    // each look at a station would be a wait for memory.
    struct Slot {
        std::uint32_t station = 0;
        std::uint32_t fingerprint = 0;
    };

    // The stations in the order of their first rows, in chunks that never move: a look at
    // one finds its chunk in a short table that stays in the cache.
    static constexpr unsigned ChunkBits = 12;
    static constexpr std::size_t ChunkSize = std::size_t{1} << ChunkBits;
    std::vector<std::vector<ImportedStation>> chunks_;
    std::size_t count_ = 0;
    std::vector<Slot> slots_;
    // Lists give a station's rows one after the other: the last station is tried first.
    std::size_t lastStation_ = 0;
    std::array<Row, RowsAhead> waiting_{}; // a ring, from firstWaiting_ on
    std::size_t firstWaiting_ = 0;
    std::size_t waitingCount_ = 0;
};

} // namespace borvelin
