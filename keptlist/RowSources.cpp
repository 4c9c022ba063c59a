// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/RowSources.h"

#include <algorithm>
#include <stdexcept>

namespace borvelin {

namespace {

bool continues(const RowSources::Piece& before, const RowSources::Piece& after)
{
    return before.first.kind == RowSource::Kind::FileLine && after.first.kind == RowSource::Kind::FileLine &&
           before.first.index + before.count == after.first.index;
}

} // namespace

void RowSources::reset(std::uint64_t fileLines)
{
    pieces_.clear();
    if (fileLines > 0)
        pieces_.push_back({RowSource{RowSource::Kind::FileLine, 0}, fileLines});
    settle();
}

std::size_t RowSources::pieceOf(std::uint64_t row) const
{
    if (row >= size())
        throw std::out_of_range("row past the list's end");
    return static_cast<std::size_t>(std::upper_bound(ends_.begin(), ends_.end(), row) - ends_.begin());
}

RowSource RowSources::at(std::uint64_t row) const
{
    const std::size_t index = pieceOf(row);
    RowSource source = pieces_[index].first;
    source.index += row - firstRowOf(index);
    return source;
}

std::size_t RowSources::splitAt(std::uint64_t row)
{
    if (row == size())
        return pieces_.size();
    const std::size_t index = pieceOf(row);
    const std::uint64_t offset = row - firstRowOf(index);
    if (offset == 0)
        return index;
    Piece rest = pieces_[index];
    rest.first.index += offset;
    rest.count -= offset;
    pieces_[index].count = offset;
    pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(index) + 1, rest);
    return index + 1;
}

void RowSources::insert(std::uint64_t row, RowSource source)
{
    if (row > size())
        throw std::out_of_range("row past the list's end");
    const std::size_t index = splitAt(row);
    pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(index), Piece{source, 1});
    settle();
}

RowSource RowSources::erase(std::uint64_t row)
{
    const RowSource source = at(row);
    const std::size_t index = splitAt(row);
    if (--pieces_[index].count == 0)
        pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(index));
    else
        ++pieces_[index].first.index;
    settle();
    return source;
}

RowSource RowSources::replace(std::uint64_t row, RowSource source)
{
    const RowSource before = erase(row);
    insert(row, source);
    return before;
}

// Runs of the file's lines that meet again (after an edit was undone) become one.
void RowSources::settle()
{
    std::vector<Piece> merged;
    merged.reserve(pieces_.size());
    for (const Piece& piece : pieces_) {
        if (!merged.empty() && continues(merged.back(), piece))
            merged.back().count += piece.count;
        else
            merged.push_back(piece);
    }
    pieces_ = std::move(merged);
    ends_.resize(pieces_.size());
    std::uint64_t end = 0;
    for (std::size_t index = 0; index < pieces_.size(); ++index)
        ends_[index] = end += pieces_[index].count;
}

} // namespace borvelin
