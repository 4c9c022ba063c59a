// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ImportRow.h"
#include "import/StationTable.h"
#include "jobs/ConversionJob.h"
#include "jobs/FailureLog.h"
#include "jobs/SharedBatch.h"

#include <cstddef>
#include <memory>
#include <span>
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
class ImportJob : public ConversionJob {
public:
    ImportJob(JobState& state, StatusSink& status, const std::string& listFile, ImportMode mode,
              JobFiles& files = diskFiles());

    static constexpr const char* ListFileName = "QSL.TXT";

protected:
    std::string inputName() const override { return listFile_; }
    std::string outputName() const override { return ListFileName; }
    std::string backupName() const override { return "QSL.BAK"; }
    std::string_view lineStep(std::string_view textLine) override;
    std::string_view batchStep(std::span<const std::string_view> lines) override;
    void afterInputRead() override;
    // The run's log entries reach BORVELIN.LOG only with the new list.
    void beforeCommit(CommitSet& set) override { log_.addTo(set); }
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    // A row as read, on either thread: its fields, or why it cannot be imported.
    struct ReadRow {
        bool blank = false;
        RowFault fault = RowFault::None;
        ImportRow row;
        ShortCall call;
        ShortCall manager;
    };
    static void readRow(std::string_view line, ReadRow& read);
    void readBlock(std::size_t block);
    void takeUp(std::size_t block);
    void takeRow(std::string_view line, const ReadRow& readAhead);
    void copyPresentList();
    void compareWithListLine(const std::string& line);
    void writeStation(const ImportedStation& station);

    std::string listFile_;
    ImportMode mode_;
    StationTable stations_;
    FailureLog log_;
    bool beforeFirstRow_ = true;
    std::uint64_t stationsWritten_ = 0;

    static constexpr std::size_t BlockRows = 128;
    std::span<const std::string_view> batch_;
    std::vector<ReadRow> rows_ = std::vector<ReadRow>(LinesPerBatch); // of the batch
    std::unique_ptr<SharedBatch> sharing_;                            // last: its helper uses the rest
};

} // namespace borvelin
