// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"
#include "managers/BlockParser.h"
#include "managers/ManagerTally.h"
#include "managers/ParsedBlock.h"
#include "managers/PendingManagers.h"

#include <deque>
#include <vector>

namespace borvelin {

// List of 25+: one QSL.CSV record for every line of QSL.TXT, the managers counted in the
// tally, and QSLMGR.TXT with the managers that serve 25 or more records. Lines that
// cannot be cut as expected are logged in BORVELIN.LOG.
//
// How a line flows: each block of lines is parsed on whichever thread takes it
// (BlockParser), into the block's records, managers and failures (ParsedBlock); the
// job's thread takes the blocks up in the list's order, writing each record, logging
// each failure, and handing each manager to the tally a few records late
// (PendingManagers), so that the tally's look-up has its memory at hand. A failure is
// logged only once every manager named before it is counted, so that a count that
// overflows stops the job before a later line is logged, as on one thread.
//
// Every run counts afresh. When the job fails, QSL.CSV, QSLMGR.TXT and BORVELIN.LOG stay
// as they were.
class List25Job : public ConversionJob, private LinePass {
public:
    static constexpr int ManagerThreshold = 25;
    static constexpr const char* ManagerFileName = "QSLMGR.TXT";

    List25Job(JobState& state, StatusSink& status, JobFiles& files = diskFiles());

    // The managers this run counted.
    const ManagerTally& tally() const { return tally_; }

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return "QSL.CSV"; }
    // A write that fails must stop the job before a later line is logged.
    OutputWrites outputWrites() const override { return OutputWrites::AsTheJobGoes; }
    void declarePasses(Passes& passes) override { passes.overLines(inputName(), *this); }
    std::string progressText() const override;
    void settlePending() override { managers_.countAll(); }
    void writeGathered() override;
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    bool worksOnBlocks() const override { return true; }
    void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
    void work(std::size_t worker, const LineBlock& block) override;
    void takeUp(const LineBlock& block) override;
    void WriteManagerList();

    ManagerTally tally_;
    std::uint64_t managersListed_ = 0;
    PendingManagers managers_;
    std::deque<BlockParser> parsers_; // for each worker
    std::vector<ParsedBlock> parsed_; // for each block of a batch
};

} // namespace borvelin
