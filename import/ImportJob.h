// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ImportRow.h"
#include "import/ImportedHistory.h"
#include "import/StationTable.h"
#include "jobs/ConversionJob.h"
#include "listline/RouteReader.h"

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace borvelin {

enum class ImportMode {
    Replace, // the imported stations become QSL.TXT
    Merge,   // the stations QSL.TXT lacks are added to it
};

// Import Manager List: CALL;MANAGER;DATE lists, one or more, become manager-list lines,
// one per station, in the order of each station's first row: the call, then "QSL via"
// and the manager of its newest row, and the manager before that as an (Ex-...) remark.
// The list it replaces is kept as QSL.BAK. Rows that cannot be imported are logged in
// BORVELIN.LOG.
//
// Every row taken goes to the route history QSLHIST.CSV as well, with its source: a
// fourth field, or else the name of its file (ImportedHistory). Merging adds the rows to
// the history there; otherwise the history is replaced and the old one kept as
// QSLHIST.BAK.
//
// Memory holds one entry per distinct station of the imported lists (under 100 bytes
// with its share of the index) and 28 bytes per row for the history, about twice that
// while the rows are put in order. The rows of a batch are read in blocks, on two
// threads where the machine has two, and taken up in their order.
class ImportJob : public ConversionJob, private LinePass {
public:
    ImportJob(JobState& state, StatusSink& status, const std::string& listFile, ImportMode mode,
              JobFiles& files = diskFiles());
    // The lists are read in the order given, as one list.
    ImportJob(JobState& state, StatusSink& status, std::vector<std::string> listFiles, ImportMode mode,
              JobFiles& files = diskFiles());

    static constexpr const char* ListFileName = "QSL.TXT";

    // The rows read from every list, not only the first.
    JobSummary summary() const override;

protected:
    std::string inputName() const override { return listFiles_.front(); }
    std::string outputName() const override { return ListFileName; }
    std::string backupName() const override { return "QSL.BAK"; }
    // The imported rows, then, when merging, the present list and the present history.
    void declarePasses(Passes& passes) override;
    void writeGathered() override;
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    // A row as read, on any thread: its fields, or why it cannot be imported.
    struct ReadRow {
        bool blank = false;
        RowFault fault = RowFault::None;
        ImportRow row;
        ShortCall call;
        ShortCall manager;
    };
    // One imported list: its rows go through the job, each list with its own header and
    // its own source.
    class ImportedList : public LinePass {
    public:
        ImportedList(ImportJob& job, std::string file) : job_(job), file_(std::move(file)) {}
        bool worksOnBlocks() const override { return true; }
        void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
        void work(std::size_t worker, const LineBlock& block) override { job_.work(worker, block); }
        void takeUp(const LineBlock& block) override { job_.takeUp(block); }
        void finish() override;

    private:
        ImportJob& job_;
        std::string file_;
        std::uint64_t rowsBefore_ = 0; // taken from the lists before this one
    };
    // Merging keeps every line of the present list, in its place, and marks the stations
    // it already has, so that only the others are added.
    class PresentList : public LinePass {
    public:
        explicit PresentList(ImportJob& job) : job_(job) {}
        void takeUp(const LineBlock& block) override;

    private:
        ImportJob& job_;
    };
    // Merging adds the lines of the present history to the imported rows.
    class PresentHistory : public LinePass {
    public:
        explicit PresentHistory(ImportJob& job) : job_(job) {}
        void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
        void takeUp(const LineBlock& block) override;

    private:
        ImportJob& job_;
        bool beforeFirstLine_ = true;
    };

    bool worksOnBlocks() const override { return true; }
    void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
    void work(std::size_t worker, const LineBlock& block) override;
    void takeUp(const LineBlock& block) override;
    static void readRow(std::string_view line, ReadRow& read);
    void takeRow(std::string_view line, const ReadRow& readAhead);
    void compareWithListLine(std::string_view line);
    void writeStation(const ImportedStation& station);

    std::vector<std::string> listFiles_;
    ImportMode mode_;
    std::deque<ImportedList> importedLists_;
    PresentList presentList_{*this};
    PresentHistory presentHistory_{*this};
    RouteReader routes_; // of the present list's lines
    StationTable stations_;
    ImportedHistory history_;
    bool beforeFirstRow_ = true; // of the list being read
    std::uint64_t rowsTaken_ = 0;
    std::size_t workers_ = 1; // the threads the rows are read on
    std::uint64_t stationsWritten_ = 0;
    std::vector<ReadRow> rows_; // of the batch
};

} // namespace borvelin
