// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "managers/FailureLog.h"
#include "managers/ManagerTally.h"
#include "managers/PendingManagers.h"

namespace borvelin {

// List of 25+: one QSL.CSV record for every line of QSL.TXT, the managers counted in the
// tally, and QSLMGR.TXT with the managers that serve 25 or more records. Lines that
// cannot be cut as expected are logged in BORVELIN.LOG.
//
// When the job fails, QSL.CSV and QSLMGR.TXT stay as they were and the tally is put
// back as it was before the run.
class List25Job : public ConversionJob, private LineFailureLog {
public:
    static constexpr int ManagerThreshold = 25;
    static constexpr const char* ManagerFileName = "QSLMGR.TXT";

    List25Job(JobState& state, StatusSink& status, ManagerTally& tally, JobFiles& files = diskFiles());

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return "QSL.CSV"; }
    std::string_view lineStep(std::string_view line) override;
    std::string progressText() const override;
    void finishLines() override;
    void afterStreamsClosed() override;
    void afterFailure() noexcept override;

private:
    // The parser's failures go to the log once the managers named before are counted,
    // so that a count that fails stops the job before a later line is logged.
    void logFailure(std::string_view line, std::string_view message) override;
    void WriteManagerList();

    ManagerTally& tally_;
    ManagerTally tallyBeforeRun_;
    PendingManagers managers_;
    FailureLog log_;
    ListLineParser parser_;
    ListEntry entry_;
};

} // namespace borvelin
