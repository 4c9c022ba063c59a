// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/LineLayout.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace borvelin {

// Where each keyword of a manager-list line first begins, at or after a given column,
// found in one pass over the line. Case is ignored as in every keyword search.
class KeywordColumns {
public:
    void scan(std::string_view line, std::size_t fromColumn);

    // The 1-based column where `keyword` first begins; 0 when the line does not hold it.
    std::size_t column(layout::Keyword keyword) const { return columns_[static_cast<std::size_t>(keyword)]; }
    bool occurs(layout::Keyword keyword) const { return column(keyword) != 0; }

private:
    std::array<std::size_t, layout::Keywords.size()> columns_{};
};

} // namespace borvelin
