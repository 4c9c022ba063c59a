// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/HistoryRows.h"

#include <limits>
#include <stdexcept>

namespace borvelin {

void HistoryRows::add(std::uint32_t station, const ShortCall& manager, std::int32_t date, std::uint32_t source)
{
    if (count_ == std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("more than four thousand million rows");
    if (count_ % ChunkRows == 0)
        chunks_.emplace_back().reserve(ChunkRows);
    chunks_.back().push_back({manager, date, source, station});
    ++count_;
}

} // namespace borvelin
