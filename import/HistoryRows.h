// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/HugePageAllocator.h"
#include "calls/ShortCall.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace borvelin {

// The rows an import takes, for the route history, in the order they came, each with
// its station's place in the StationTable instead of its call: 28 bytes a row, in chunks
// that never move, on large pages, as the rows are read at random when they are written
// in the order of their calls.
class HistoryRows {
public:
    struct Row {
        ShortCall manager;
        std::int32_t date = 0;     // dateOrder
        std::uint32_t source = 0;  // its number in the import's SourceNames
        std::uint32_t station = 0; // its place in the StationTable
    };

    void add(std::uint32_t station, const ShortCall& manager, std::int32_t date, std::uint32_t source);
    std::uint32_t size() const { return count_; }
    const Row& at(std::uint32_t number) const { return chunks_[number >> ChunkBits][number & (ChunkRows - 1)]; }
    // Asks for the row's memory, to be read soon.
    void prefetch([[maybe_unused]] std::uint32_t number) const
    {
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(&at(number));
#endif
    }

private:
    static constexpr unsigned ChunkBits = 17;
    static constexpr std::uint32_t ChunkRows = std::uint32_t{1} << ChunkBits;

    std::vector<std::vector<Row, HugePageAllocator<Row>>> chunks_;
    std::uint32_t count_ = 0;
};

} // namespace borvelin
