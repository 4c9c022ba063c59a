// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/LineLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace borvelin {

// Where each keyword of a manager-list line first begins, at or after a given column,
// found in one pass over the line. Case is ignored as in every keyword search.
class KeywordColumns {
public:
    void scan(std::string_view line, std::size_t fromColumn);

    // The 1-based column where `keyword` first begins; 0 when the line does not hold it.
    std::size_t column(layout::Keyword keyword) const { return occurs(keyword) ? columns_[indexOf(keyword)] : 0; }
    bool occurs(layout::Keyword keyword) const { return (found_ >> indexOf(keyword) & 1u) != 0; }

private:
    static constexpr std::size_t indexOf(layout::Keyword keyword) { return static_cast<std::size_t>(keyword); }

    std::array<std::size_t, layout::Keywords.size()> columns_{}; // of the keywords found
    std::uint16_t found_ = 0;                                    // one bit for each keyword, in Keyword's order
    static_assert(layout::Keywords.size() <= 16);
};

} // namespace borvelin
