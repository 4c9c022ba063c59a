// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/KeptList.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>

namespace borvelin {

namespace {

// A row is one line: a text holding a break would become two.
void requireOneLine(const std::string& text)
{
    if (text.find_first_of("\r\n") != std::string::npos)
        throw std::invalid_argument("a row holds no line break");
}

} // namespace

KeptList::KeptList(std::string fileName, const ListFile::Progress& progress)
    : file_(std::make_unique<ListFile>(std::move(fileName), progress))
{
    rows_.reset(file_->lineCount());
}

KeptList::~KeptList() = default;

std::string KeptList::row(std::uint64_t row) const
{
    const RowSource source = rows_.at(row);
    if (source.kind == RowSource::Kind::Written)
        return written_[source.index].text;
    return file_->line(source.index);
}

void KeptList::readRows(std::uint64_t first, std::uint64_t count, std::vector<std::string>& rows) const
{
    rows.clear();
    rows.reserve(static_cast<std::size_t>(count));
    forEachRow(first, first + count, [&rows](std::uint64_t, std::string_view text) {
        rows.emplace_back(text);
        return true;
    });
}

void KeptList::readRowsAt(const std::vector<std::uint64_t>& which, std::vector<std::string>& rows) const
{
    std::vector<std::uint64_t> fileLines;
    for (const std::uint64_t row : which)
        if (const RowSource source = rows_.at(row); source.kind == RowSource::Kind::FileLine)
            fileLines.push_back(source.index);
    std::vector<std::string> lines;
    file_->readLinesAt(fileLines, lines);
    rows.clear();
    auto line = lines.begin();
    for (const std::uint64_t row : which) {
        const RowSource source = rows_.at(row);
        if (source.kind == RowSource::Kind::Written)
            rows.push_back(written_[source.index].text);
        else
            rows.push_back(std::move(*line++));
    }
}

void KeptList::forEachRow(std::uint64_t first, std::uint64_t end,
                          const std::function<bool(std::uint64_t, std::string_view)>& take) const
{
    end = std::min(end, rows_.size());
    std::uint64_t row = first;
    bool going = true;
    while (going && row < end) {
        const std::size_t index = rows_.pieceOf(row);
        const RowSources::Piece& piece = rows_.pieces()[index];
        const std::uint64_t offset = row - rows_.firstRowOf(index);
        const std::uint64_t count = std::min(piece.count - offset, end - row);
        if (piece.first.kind == RowSource::Kind::Written) {
            going = take(row, written_[piece.first.index].text);
            ++row;
            continue;
        }
        const std::uint64_t firstLine = piece.first.index + offset;
        file_->readRawLines(firstLine, firstLine + count, [&](std::string_view bytes) {
            // The block holds whole lines, each with its break.
            while (going && !bytes.empty()) {
                const std::uint64_t line = piece.first.index + (row - rows_.firstRowOf(index));
                const auto length = static_cast<std::size_t>(file_->lineEnd(line) - file_->lineBegin(line));
                going = take(row, ListFile::withoutBreak(bytes.substr(0, length)));
                ++row;
                bytes.remove_prefix(length);
            }
            return going;
        });
    }
}

RowSource KeptList::write(std::string text, std::string lineBreak)
{
    requireOneLine(text);
    written_.push_back({std::move(text), std::move(lineBreak)});
    return {RowSource::Kind::Written, written_.size() - 1};
}

std::string KeptList::lineBreakOf(RowSource source) const
{
    if (source.kind == RowSource::Kind::Written)
        return written_[source.index].lineBreak;
    std::string lineBreak;
    file_->readRawLines(source.index, source.index + 1, [&lineBreak](std::string_view bytes) {
        lineBreak.assign(bytes.substr(ListFile::withoutBreak(bytes).size()));
        return true;
    });
    return lineBreak;
}

// A changed row keeps the break of the line it replaces; a new one gets the list's.
KeptList::Change KeptList::replaceRow(std::uint64_t row, std::string text)
{
    const RowSource before = rows_.at(row);
    return record({Change::Kind::Replaced, row, before, write(std::move(text), lineBreakOf(before))});
}

KeptList::Change KeptList::insertRow(std::uint64_t row, std::string text)
{
    if (row > rows_.size())
        throw std::out_of_range("row past the list's end");
    return record({Change::Kind::Inserted, row, {}, write(std::move(text), file_->firstBreak())});
}

KeptList::Change KeptList::eraseRow(std::uint64_t row)
{
    return record({Change::Kind::Erased, row, rows_.at(row), {}});
}

// A new edit drops the edits undone before it; a saved state among them cannot come back.
KeptList::Change KeptList::record(const Edit& edit)
{
    const Change change = apply(edit, false);
    history_.resize(applied_);
    if (savedAt_ && *savedAt_ > applied_)
        savedAt_.reset();
    history_.push_back(edit);
    ++applied_;
    return change;
}

KeptList::Change KeptList::apply(const Edit& edit, bool backwards)
{
    switch (edit.kind) {
    case Change::Kind::Inserted:
        if (backwards) {
            rows_.erase(edit.row);
            return {Change::Kind::Erased, edit.row};
        }
        rows_.insert(edit.row, edit.after);
        return {Change::Kind::Inserted, edit.row};
    case Change::Kind::Erased:
        if (backwards) {
            rows_.insert(edit.row, edit.before);
            return {Change::Kind::Inserted, edit.row};
        }
        rows_.erase(edit.row);
        return {Change::Kind::Erased, edit.row};
    case Change::Kind::Replaced: rows_.replace(edit.row, backwards ? edit.before : edit.after); break;
    }
    return {Change::Kind::Replaced, edit.row};
}

KeptList::Change KeptList::undo()
{
    if (!canUndo())
        throw std::logic_error("nothing to undo");
    return apply(history_[--applied_], true);
}

KeptList::Change KeptList::redo()
{
    if (!canRedo())
        throw std::logic_error("nothing to redo");
    return apply(history_[applied_++], false);
}

// The file's untouched lines go as they are read, breaks and all. A row that has no break
// of its own (the list's last line had none) gets the list's break when rows follow it.
void KeptList::writeRows(LineSink& output) const
{
    const auto& pieces = rows_.pieces();
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        const RowSources::Piece& piece = pieces[index];
        const bool last = index + 1 == pieces.size();
        if (piece.first.kind == RowSource::Kind::Written) {
            const Written& row = written_[piece.first.index];
            output.writeBytes(row.text);
            const bool needsBreak = !last || row.text.empty();
            output.writeBytes(row.lineBreak.empty() && needsBreak ? file_->firstBreak() : row.lineBreak);
            continue;
        }
        const std::uint64_t end = piece.first.index + piece.count;
        file_->readRawLines(piece.first.index, end, [&output](std::string_view bytes) {
            output.writeBytes(bytes);
            return true;
        });
        if (end == file_->lineCount() && !file_->endsWithBreak() && !last)
            output.writeBytes(file_->firstBreak());
    }
}

void KeptList::renameHistorySources(const std::function<RowSource(RowSource)>& rename)
{
    for (Edit& edit : history_) {
        edit.before = rename(edit.before);
        edit.after = rename(edit.after);
    }
}

std::optional<std::uint64_t> KeptList::LineMoves::newLineOf(std::uint64_t line) const
{
    const auto after = std::upper_bound(runs_.begin(), runs_.end(), line,
                                        [](std::uint64_t value, const Run& run) { return value < run.firstLine; });
    if (after == runs_.begin())
        return std::nullopt;
    const Run& run = *std::prev(after);
    if (line >= run.firstLine + run.count)
        return std::nullopt;
    return run.firstRow + (line - run.firstLine);
}

KeptList::LineMoves KeptList::save(StatusSink& status, listfile::Saved& saved)
{
    LineMoves moves;
    for (std::size_t index = 0; index < rows_.pieces().size(); ++index) {
        const RowSources::Piece& piece = rows_.pieces()[index];
        if (piece.first.kind == RowSource::Kind::FileLine)
            moves.runs_.push_back({piece.first.index, piece.count, rows_.firstRowOf(index)});
    }
    std::sort(moves.runs_.begin(), moves.runs_.end(),
              [](const LineMoves::Run& a, const LineMoves::Run& b) { return a.firstLine < b.firstLine; });
    const auto savedRowOf = [&moves](std::uint64_t line) { return moves.newLineOf(line); };
    // The history may bring back lines the saved file no longer has: they are read now,
    // while the file still holds them.
    std::map<std::uint64_t, RowSource> dropped;
    renameHistorySources([&](RowSource source) {
        if (source.kind == RowSource::Kind::FileLine && !savedRowOf(source.index) && !dropped.contains(source.index))
            dropped.emplace(source.index, write(file_->line(source.index), lineBreakOf(source)));
        return source;
    });

    saved = listfile::save([this](LineSink& output) { writeRows(output); }, status);

    auto reread = std::make_unique<ListFile>(fileName());
    renameHistorySources([&](RowSource source) {
        if (source.kind != RowSource::Kind::FileLine)
            return source;
        if (const auto row = savedRowOf(source.index))
            return RowSource{RowSource::Kind::FileLine, *row};
        return dropped.at(source.index);
    });
    const bool asWritten = reread->lineCount() == rows_.size();
    file_ = std::move(reread);
    rows_.reset(file_->lineCount());
    if (!asWritten) { // changed on the disk right after the save: the history no longer fits
        history_.clear();
        applied_ = 0;
    }
    savedAt_ = applied_;
    return moves;
}

} // namespace borvelin
