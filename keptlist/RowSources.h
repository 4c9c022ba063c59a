// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace borvelin {

// Where a row of the kept list comes from: a line of the list file as it was indexed, or
// a text written in the window.
struct RowSource {
    enum class Kind : std::uint8_t { FileLine, Written };

    Kind kind = Kind::FileLine;
    std::uint64_t index = 0; // of the file's line, or of the written text

    bool operator==(const RowSource&) const = default;
};

// The rows of the kept list as runs of the file's lines and single written rows: a piece
// table. An edit splits at most one run, so a list of ten million lines with a few
// hundred edits has a few hundred pieces, whatever the list's length.
class RowSources {
public:
    struct Piece {
        RowSource first;
        std::uint64_t count = 1; // of consecutive file lines; 1 for a written row
    };

    // All the file's lines, in their order.
    void reset(std::uint64_t fileLines);

    std::uint64_t size() const { return ends_.empty() ? 0 : ends_.back(); }
    RowSource at(std::uint64_t row) const;
    // Puts `source` at `row`, moving that row and the rest one down; `row` may be size().
    void insert(std::uint64_t row, RowSource source);
    // Takes the row out; gives back where it came from.
    RowSource erase(std::uint64_t row);
    RowSource replace(std::uint64_t row, RowSource source);

    const std::vector<Piece>& pieces() const { return pieces_; }
    // The row the piece `index` begins at.
    std::uint64_t firstRowOf(std::size_t index) const { return index == 0 ? 0 : ends_[index - 1]; }
    // The piece that holds `row`.
    std::size_t pieceOf(std::uint64_t row) const;

private:
    // Cuts the piece that holds `row` so that a piece begins there; gives back its index
    // (pieces_.size() for the end).
    std::size_t splitAt(std::uint64_t row);
    void settle();

    std::vector<Piece> pieces_;
    std::vector<std::uint64_t> ends_; // the row after each piece
};

} // namespace borvelin
