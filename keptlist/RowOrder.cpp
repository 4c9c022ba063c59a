// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/RowOrder.h"

#include "keptlist/CheckFindings.h"
#include "keptlist/KeptList.h"
#include "keptlist/LineFindings.h"
#include "keptlist/StationRow.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "listline/TextSearch.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace borvelin {

namespace {

// 38 symbols: none, "/", the digits, the letters; 38^12 fits 64 bits.
constexpr std::uint64_t Symbols = 38;
constexpr std::size_t KeyLength = 12;

std::uint64_t symbolOf(char byte)
{
    const char capital = inCapitals(byte);
    if (capital <= '/')
        return 1;
    if (capital <= '9')
        return 2 + static_cast<std::uint64_t>(capital - '0');
    if (capital < 'A')
        return 11;
    if (capital <= 'Z')
        return 12 + static_cast<std::uint64_t>(capital - 'A');
    return Symbols - 1;
}

// Sorted in 12 bytes a row: the key in two halves, then the row.
struct KeyedRow {
    std::uint32_t keyHigh;
    std::uint32_t keyLow;
    std::uint32_t row;

    bool operator<(const KeyedRow& other) const
    {
        if (keyHigh != other.keyHigh)
            return keyHigh < other.keyHigh;
        if (keyLow != other.keyLow)
            return keyLow < other.keyLow;
        return row < other.row;
    }
};

} // namespace

std::uint64_t RowOrder::callKey(std::string_view call)
{
    std::uint64_t key = 0;
    for (std::size_t index = 0; index < KeyLength; ++index)
        key = key * Symbols + (index < call.size() ? symbolOf(call[index]) : 0);
    return key;
}

void RowOrder::showAll()
{
    inOrder_ = true;
    rows_ = {};
}

void RowOrder::arrange(const KeptList& list, SortKey key, bool descending, const std::vector<std::uint32_t>* only)
{
    if (list.rowCount() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many rows to sort");
    if (key == SortKey::ListOrder && !only && !descending) {
        showAll();
        return;
    }
    if (key == SortKey::ListOrder) { // no key to read: the rows as they are
        std::vector<std::uint32_t> rows;
        if (only) {
            rows = *only;
        } else {
            rows.resize(static_cast<std::size_t>(list.rowCount()));
            for (std::size_t row = 0; row < rows.size(); ++row)
                rows[row] = static_cast<std::uint32_t>(row);
        }
        if (descending)
            std::reverse(rows.begin(), rows.end());
        rows_ = std::move(rows);
        inOrder_ = false;
        return;
    }
    std::vector<KeyedRow> keyed;
    keyed.reserve(static_cast<std::size_t>(only ? only->size() : list.rowCount()));
    auto next = only ? only->begin() : std::vector<std::uint32_t>::const_iterator();
    list.forEachRow(0, list.rowCount(), [&](std::uint64_t row, std::string_view text) {
        if (only) {
            if (next == only->end())
                return false;
            if (*next != row)
                return true;
            ++next;
        }
        std::uint64_t sortKey = 0;
        if (key == SortKey::Call) {
            sortKey = callKey(firstWord(text));
        } else if (key == SortKey::Manager) {
            const std::string manager = managerKeyOf(text);
            sortKey = manager.empty() ? std::numeric_limits<std::uint64_t>::max() : callKey(manager);
        }
        keyed.push_back({static_cast<std::uint32_t>(sortKey >> 32), static_cast<std::uint32_t>(sortKey),
                         static_cast<std::uint32_t>(row)});
        return true;
    });
    if (key != SortKey::ListOrder)
        std::sort(keyed.begin(), keyed.end());
    if (descending)
        std::reverse(keyed.begin(), keyed.end());
    rows_.clear();
    rows_.shrink_to_fit();
    rows_.reserve(keyed.size());
    for (const KeyedRow& row : keyed)
        rows_.push_back(row.row);
    inOrder_ = false;
}

std::uint64_t RowOrder::size(const KeptList& list) const
{
    return inOrder_ ? list.rowCount() : rows_.size();
}

std::optional<std::uint64_t> RowOrder::positionOf(std::uint64_t row) const
{
    if (inOrder_)
        return row;
    const auto found = std::find(rows_.begin(), rows_.end(), static_cast<std::uint32_t>(row));
    if (found == rows_.end())
        return std::nullopt;
    return static_cast<std::uint64_t>(found - rows_.begin());
}

void RowOrder::rowInserted(std::uint64_t row, std::uint64_t position)
{
    if (inOrder_)
        return;
    for (std::uint32_t& shown : rows_)
        if (shown >= row)
            ++shown;
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min<std::uint64_t>(position, rows_.size())),
                 static_cast<std::uint32_t>(row));
}

std::optional<std::uint64_t> RowOrder::rowErased(std::uint64_t row)
{
    if (inOrder_)
        return row;
    const auto position = positionOf(row);
    if (position)
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*position));
    for (std::uint32_t& shown : rows_)
        if (shown > row)
            --shown;
    return position;
}

std::vector<std::uint32_t> rowsWithFindings(const KeptList& list, const CheckFindings* findings)
{
    if (list.rowCount() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many rows to sort");
    std::vector<std::uint32_t> rows;
    LineFindings lineFindings;
    const auto& pieces = list.sources().pieces();
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        const RowSources::Piece& piece = pieces[index];
        const std::uint64_t firstRow = list.sources().firstRowOf(index);
        if (piece.first.kind == RowSource::Kind::Written) {
            if (!lineFindings.rowsOf(list.row(firstRow)).empty())
                rows.push_back(static_cast<std::uint32_t>(firstRow));
        } else if (findings) {
            const std::uint64_t firstLine = piece.first.index + 1;
            findings->linesBetween(firstLine, firstLine + piece.count - 1, [&](std::uint64_t line) {
                rows.push_back(static_cast<std::uint32_t>(firstRow + (line - firstLine)));
            });
        }
    }
    return rows;
}

std::optional<std::uint64_t> findStation(const KeptList& list, std::string_view call, std::uint64_t from)
{
    const std::string home = callshape::homeCallOf(call);
    std::optional<std::uint64_t> found;
    list.forEachRow(from, list.rowCount(), [&](std::uint64_t row, std::string_view text) {
        const std::string_view lineHome = callshape::homeCallPartOf(firstWord(text));
        if (lineHome.size() != home.size())
            return true;
        for (std::size_t index = 0; index < home.size(); ++index)
            if (inCapitals(lineHome[index]) != home[index])
                return true;
        found = row;
        return false;
    });
    return found;
}

} // namespace borvelin
