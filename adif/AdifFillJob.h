// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobFiles.h"
#include "jobs/JobState.h"
#include "jobs/JobSummary.h"
#include "jobs/StatusSink.h"

#include <string>

namespace borvelin {

// Fill QSL Via in Log: adds QSL_VIA to the QSOs of an ADIF log (.adi) that lack it, from
// the routes of QSL.TXT, and writes QSLVIA.CSV with every point found. The log is
// replaced only when a route was added, the old one kept beside it as LOG.adi.bak; the
// log, its backup and QSLVIA.CSV are put in place together, in one commit.
//
// The log is read twice, one QSO at a time: once to check it whole and note its calls,
// so that a broken log stops the job before anything is written; once to copy it with
// the routes added. In between, one pass over QSL.TXT keeps the routes of those calls.
class AdifFillJob {
public:
    AdifFillJob(JobState& state, StatusSink& status, const std::string& logFile, JobFiles& files = diskFiles());

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
    void commit(LineSink& log, LineSink& csv, bool logChanged);

    JobState& state_;
    StatusSink& status_;
    std::string logFile_;
    JobFiles& files_;
    JobSummary summary_;
};

} // namespace borvelin
