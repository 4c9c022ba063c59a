// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "managers/FailureLog.h"
#include "managers/ManagerTally.h"

namespace borvelin {

// List of 25+: one QSL.CSV record for every line of QSL.TXT, the managers counted in the
// tally, and QSLMGR.TXT with the managers that serve 25 or more records. Lines that
// cannot be cut as expected are logged in BORVELIN.LOG.
//
// Every run counts afresh. When the job fails, QSL.CSV, QSLMGR.TXT and BORVELIN.LOG stay
// as they were.
class List25Job : public ConversionJob {
public:
    static constexpr int ManagerThreshold = 25;
    static constexpr const char* ManagerFileName = "QSLMGR.TXT";

    List25Job(JobState& state, StatusSink& status, JobFiles& files = diskFiles());

    // The managers this run counted.
    const ManagerTally& tally() const { return tally_; }

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return "QSL.CSV"; }
    void lineStep(std::string& textLine) override;
    std::string progressText() const override;
    void afterStreamsClosed() override;
    void beforeCommit() override { log_.commit(); }
    void afterCommitFailed() noexcept override { log_.rollBack(); }
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    void WriteManagerList();

    ManagerTally tally_;
    std::uint64_t managersListed_ = 0;
    FailureLog log_;
    ListLineParser parser_;
    ListEntry entry_;
};

} // namespace borvelin
