// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"
#include "jobs/FailureLog.h"
#include "jobs/SharedBatch.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "managers/BlockParser.h"
#include "managers/ManagerTally.h"
#include "managers/ParsedBlock.h"
#include "managers/PendingManagers.h"

#include <array>
#include <memory>
#include <span>
#include <vector>

namespace borvelin {

// List of 25+: one QSL.CSV record for every line of QSL.TXT, the managers counted in the
// tally, and QSLMGR.TXT with the managers that serve 25 or more records. Lines that
// cannot be cut as expected are logged in BORVELIN.LOG.
//
// Every run counts afresh. When the job fails, QSL.CSV, QSLMGR.TXT and BORVELIN.LOG stay
// as they were.
class List25Job : public ConversionJob, private LineFailureLog {
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
    std::string_view lineStep(std::string_view line) override;
    std::string_view batchStep(std::span<const std::string_view> lines) override;
    std::string progressText() const override;
    void finishLines() override;
    void afterStreamsClosed() override;
    // The run's log entries reach BORVELIN.LOG only with its outputs.
    void beforeCommit(CommitSet& set) override { log_.addTo(set); }
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    // The parser's failures go to the log once the managers named before are counted,
    // so that a count that fails stops the job before a later line is logged.
    void logFailure(std::string_view line, std::string_view message) override;
    void parseBlock(std::size_t worker, std::size_t block);
    void takeUp(std::size_t block);
    void WriteManagerList();

    // A batch is parsed in blocks of this many lines on two threads when the machine has
    // two processors; each line's effects then come in order, as lineStep has them.
    static constexpr std::size_t BlockLines = 128;

    ManagerTally tally_;
    std::uint64_t managersListed_ = 0;
    PendingManagers managers_;
    FailureLog log_;
    ListLineParser parser_;
    ListEntry entry_;
    std::span<const std::string_view> batch_;
    std::array<BlockParser, 2> blockParsers_; // for each thread
    std::vector<ParsedBlock> blocks_;
    std::unique_ptr<SharedBatch> sharing_; // last: its helper uses the rest
};

} // namespace borvelin
