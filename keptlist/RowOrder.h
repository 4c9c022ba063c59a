// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace borvelin {

class KeptList;

enum class SortKey : std::uint8_t { ListOrder, Call, Manager };

// The order the window shows the rows of the kept list in, and which of them: the list's
// own order, or the rows sorted by call or by manager, perhaps only some of them. The
// list itself keeps its order; this is a permutation of its rows, 4 bytes a row shown,
// and none at all for the list's own order.
class RowOrder {
public:
    // Every row in the list's order.
    void showAll();
    // The rows `only` (ascending; every row when null), sorted by `key`, rows of equal
    // keys in the list's order. Throws std::length_error for more than 2^32 rows.
    void arrange(const KeptList& list, SortKey key, bool descending, const std::vector<std::uint32_t>* only);

    bool showsEveryRowInOrder() const { return inOrder_; }
    std::uint64_t size(const KeptList& list) const;
    std::uint64_t rowAt(std::uint64_t position) const { return inOrder_ ? position : rows_[position]; }
    std::optional<std::uint64_t> positionOf(std::uint64_t row) const;

    // The list gained a row at `row`, shown at `position`; the rows behind it moved down.
    void rowInserted(std::uint64_t row, std::uint64_t position);
    // The list lost `row`; gives back where it was shown.
    std::optional<std::uint64_t> rowErased(std::uint64_t row);

    // The key a call sorts by: its first 12 characters in capitals, letters, digits and
    // "/" in the order of their codes, other characters beside the nearest of them.
    static std::uint64_t callKey(std::string_view call);

private:
    bool inOrder_ = true;
    std::vector<std::uint32_t> rows_; // when not in order
};

// Rows of the list that have findings: lines of the list as checked that QSLCHK.CSV names,
// and rows written since whose own line checks find something.
class CheckFindings;
std::vector<std::uint32_t> rowsWithFindings(const KeptList& list, const CheckFindings* findings);

// The first row from `from` on whose station has the home call of `call` (case and
// portable parts do not count, as in a lookup).
std::optional<std::uint64_t> findStation(const KeptList& list, std::string_view call, std::uint64_t from = 0);

} // namespace borvelin
