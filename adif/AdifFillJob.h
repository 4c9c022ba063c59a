// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobState.h"
#include "jobs/JobSummary.h"
#include "jobs/StatusSink.h"

#include <string>

namespace borvelin {

// Fill QSL Via in Log: adds QSL_VIA to the QSOs of an ADIF log (.adi) that lack it, from
// the routes of QSL.TXT, and writes QSLVIA.CSV with every point found. The log is
// replaced only when a route was added, atomically and on the disk first, the old one
// kept beside it as LOG.adi.bak.
//
// The log is read twice, one QSO at a time: once to check it whole and note its calls,
// so that a broken log stops the job before anything is written; once to copy it with
// the routes added. In between, one pass over QSL.TXT keeps the routes of those calls.
class AdifFillJob {
public:
    AdifFillJob(JobState& state, StatusSink& status, const std::string& logFile);

    static constexpr const char* ListFileName = "QSL.TXT";
    static constexpr const char* BackupSuffix = ".bak";
    // The share of the files read is reported after this many QSOs.
    static constexpr std::uint64_t ShareInterval = 4096;

    // Fails with JobError; every file is then as it was.
    void run();
    // What the job read and wrote, once it has succeeded.
    const JobSummary& summary() const { return summary_; }

private:
    void runSteps();
    void showProgressIfDue();

    JobState& state_;
    StatusSink& status_;
    std::string logFile_;
    JobSummary summary_;
};

} // namespace borvelin
