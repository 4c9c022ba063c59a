// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ListSave.h"
#include "jobs/StatusSink.h"
#include "keptlist/ListFile.h"
#include "keptlist/RowSources.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

class OutputFile;

// The list the window keeps: the lines of its file, read from the disk when they are
// shown, and the edits made since it was read, which can be undone and redone. Nothing
// reaches the disk before save(), which writes every row the user did not touch byte for
// byte as the file holds it, its line break included.
class KeptList {
public:
    // What an edit, an undo or a redo did to the rows.
    struct Change {
        enum class Kind : std::uint8_t { Inserted, Erased, Replaced };
        Kind kind = Kind::Replaced;
        std::uint64_t row = 0;
    };

    // Reads where the lines of `fileName` begin; throws JobError when it cannot.
    explicit KeptList(std::string fileName, const ListFile::Progress& progress = {});
    ~KeptList();
    KeptList(const KeptList&) = delete;
    KeptList& operator=(const KeptList&) = delete;

    const std::string& fileName() const { return file_->fileName(); }
    // The list as last read or saved.
    const ListFile& file() const { return *file_; }
    std::uint64_t rowCount() const { return rows_.size(); }
    RowSource sourceOf(std::uint64_t row) const { return rows_.at(row); }
    const RowSources& sources() const { return rows_; }
    // The row's text, without its line break.
    std::string row(std::uint64_t row) const;
    void readRows(std::uint64_t first, std::uint64_t count, std::vector<std::string>& rows) const;
    // The rows `which`, in that order, wherever they are.
    void readRowsAt(const std::vector<std::uint64_t>& which, std::vector<std::string>& rows) const;
    // Every row from `first` to `end - 1` in order, the file's lines read in large blocks,
    // until `take` says false.
    void forEachRow(std::uint64_t first, std::uint64_t end,
                    const std::function<bool(std::uint64_t row, std::string_view text)>& take) const;

    // Each edit is one step to undo.
    Change replaceRow(std::uint64_t row, std::string text);
    Change insertRow(std::uint64_t row, std::string text);
    Change eraseRow(std::uint64_t row);
    bool canUndo() const { return applied_ > 0; }
    bool canRedo() const { return applied_ < history_.size(); }
    Change undo();
    Change redo();
    // Whether the rows differ from the file as last read or saved.
    bool modified() const { return savedAt_ != applied_; }

    // Where the file's lines went in a save: line N of the file before it is line
    // newLineOf(N) after it, or none when the save dropped it.
    class LineMoves {
    public:
        std::optional<std::uint64_t> newLineOf(std::uint64_t line) const;

    private:
        friend class KeptList;
        struct Run {
            std::uint64_t firstLine;
            std::uint64_t count;
            std::uint64_t firstRow;
        };
        std::vector<Run> runs_; // by their first line
    };

    // Writes the rows to QSL.TXT in the current folder as every command that replaces the
    // list does (under the folder's lock, the list it replaces kept as QSL.BAK and older
    // backups beside it), and reads the file anew: row N is then line N. The edits stay
    // undoable. Throws JobError and changes nothing when the file cannot be written.
    // `status` shows a wait for the folder's lock; `saved` says where the old list went.
    LineMoves save(StatusSink& status, listfile::Saved& saved);

private:
    struct Edit {
        Change::Kind kind;
        std::uint64_t row;
        RowSource before; // of a replaced or erased row
        RowSource after;  // of an inserted or replacing row
    };
    struct Written {
        std::string text;
        std::string lineBreak; // "" for the last row of a list that ends without one
    };

    RowSource write(std::string text, std::string lineBreak);
    std::string lineBreakOf(RowSource source) const;
    Change record(const Edit& edit);
    Change apply(const Edit& edit, bool backwards);
    void writeRows(LineSink& output) const;
    void renameHistorySources(const std::function<RowSource(RowSource)>& rename);

    std::unique_ptr<ListFile> file_;
    RowSources rows_;
    std::vector<Written> written_; // only grows: the history may name any of them
    std::vector<Edit> history_;
    std::size_t applied_ = 0;
    std::optional<std::size_t> savedAt_ = 0; // none once the saved state cannot come back
};

} // namespace borvelin
