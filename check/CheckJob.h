// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/BlockChecker.h"
#include "check/CheckedBlock.h"
#include "check/CrossLineChecks.h"
#include "check/FindingTally.h"
#include "check/HistoryConflicts.h"
#include "check/ListSurvey.h"
#include "jobs/ConversionJob.h"
#include "jobs/FileStamp.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace borvelin {

// Check List: QSLCHK.CSV, one row per finding (line number;severity;code;call;message),
// in the order of the lines. No other file changes: the lines List of 25+ would log
// become findings C1 instead.
//
// It reads QSL.TXT in two passes. The first (ListSurvey) notes what each call's lines
// say into one small record per call (CrossLineChecks), and then keeps only the records
// a later line can be compared with. The second checks each line: a block of lines is
// checked on whichever thread takes it (BlockChecker: the line's own checks, LineChecks,
// and the checks against the records), into the rows of its findings (CheckedBlock);
// the job's thread takes the blocks up in order, adding C5, which depends on the lines
// before, and writes the rows. The second pass changes no record but C5's, which only
// the job's thread touches, so any number of threads give the same rows.
//
// Between the two, the route history QSLHIST.CSV, when there is one, is read for the
// months in which it gives a station two managers (HistoryConflicts): C14, on each line
// of the station, and last, with line number 0, for the stations QSL.TXT lacks.
class CheckJob : public ConversionJob, private LinePass {
public:
    static constexpr const char* OutputFileName = "QSLCHK.CSV";
    static constexpr const char* ListFileName = "QSL.TXT";

    CheckJob(JobState& state, StatusSink& status, JobFiles& files = diskFiles());

    const FindingTally& tally() const { return tally_; }

protected:
    std::string inputName() const override { return ListFileName; }
    std::string outputName() const override { return OutputFileName; }
    void declarePasses(Passes& passes) override;
    void writeGathered() override;
    std::string progressText() const override;
    std::string doneText() const override { return tally_.summary(); }
    // Check List reads the list twice: both passes must read one list.
    void confirmInputsUnchanged() override;
    // The findings of each code found.
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    bool worksOnBlocks() const override { return true; }
    void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
    void work(std::size_t worker, const LineBlock& block) override;
    void takeUp(const LineBlock& block) override;
    void writeRows(const CheckedBlock& block, std::size_t& row, std::size_t end);
    void writeRepeat(std::string_view call, std::uint32_t earlier);

    CrossLineChecks crossLineChecks_;
    ListSurvey survey_;
    FileStamp listStamp_; // of the list as the passes began
    HistoryConflicts historyConflicts_;
    FindingTally tally_;
    std::string row_;
    std::deque<BlockChecker> checkers_; // for each worker
    std::vector<CheckedBlock> checked_; // for each block of a batch
};

} // namespace borvelin
