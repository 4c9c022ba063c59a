// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ImportRow.h"
#include "import/StationTable.h"
#include "jobs/ConversionJob.h"
#include "listline/RouteReader.h"

#include <cstddef>
#include <string>
#include <vector>

namespace borvelin {

enum class ImportMode {
    Replace, // the imported stations become QSL.TXT
    Merge,   // the stations QSL.TXT lacks are added to it
};

// Import Manager List: a CALL;MANAGER;DATE list becomes manager-list lines, one per
// station, in the order of each station's first row: the call, then "QSL via" and the
// manager of its newest row, and the manager before that as an (Ex-...) remark. The list
// it replaces is kept as QSL.BAK. Rows that cannot be imported are logged in BORVELIN.LOG.
//
// Memory holds one entry per distinct station of the imported list (under 100 bytes
// with its share of the index), never the rows themselves. The rows of a batch are read
// in blocks, on two threads where the machine has two, and taken up in their order.
class ImportJob : public ConversionJob, private LinePass {
public:
    ImportJob(JobState& state, StatusSink& status, const std::string& listFile, ImportMode mode,
              JobFiles& files = diskFiles());

    static constexpr const char* ListFileName = "QSL.TXT";

protected:
    std::string inputName() const override { return listFile_; }
    std::string outputName() const override { return ListFileName; }
    std::string backupName() const override { return "QSL.BAK"; }
    // The imported rows, then, when merging, the present list.
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
    // Merging keeps every line of the present list, in its place, and marks the stations
    // it already has, so that only the others are added.
    class PresentList : public LinePass {
    public:
        explicit PresentList(ImportJob& job) : job_(job) {}
        void takeUp(const LineBlock& block) override;

    private:
        ImportJob& job_;
    };

    bool worksOnBlocks() const override { return true; }
    void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
    void work(std::size_t worker, const LineBlock& block) override;
    void takeUp(const LineBlock& block) override;
    void finish() override;
    static void readRow(std::string_view line, ReadRow& read);
    void takeRow(std::string_view line, const ReadRow& readAhead);
    void compareWithListLine(std::string_view line);
    void writeStation(const ImportedStation& station);

    std::string listFile_;
    ImportMode mode_;
    PresentList presentList_{*this};
    RouteReader routes_; // of the present list's lines
    StationTable stations_;
    bool beforeFirstRow_ = true;
    std::uint64_t stationsWritten_ = 0;
    std::vector<ReadRow> rows_; // of the batch
};

} // namespace borvelin
