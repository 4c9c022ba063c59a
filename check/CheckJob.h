// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/BlockChecker.h"
#include "check/CheckedBlock.h"
#include "check/CrossLineChecks.h"
#include "check/FindingTally.h"
#include "check/SurveyedFiles.h"
#include "jobs/ConversionJob.h"
#include "jobs/SharedBatch.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace borvelin {

// Check List: QSLCHK.CSV, one row per finding (line number;severity;code;call;message),
// in the order of the lines. It reads QSL.TXT twice: the first pass notes what each call's
// lines say (ListSurvey, when the list is opened), the second checks every line and
// writes its findings. No other file changes: the lines List of 25+ would log become
// findings C1 instead.
//
// The second pass checks a batch in blocks, on two threads where the machine has two,
// and writes each block's findings in the order of the lines.
class CheckJob : public ConversionJob {
public:
    static constexpr const char* OutputFileName = "QSLCHK.CSV";

    CheckJob(JobState& state, StatusSink& status, JobFiles& files = diskFiles());

    const FindingTally& tally() const { return tally_; }

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return OutputFileName; }
    std::string_view lineStep(std::string_view line) override;
    std::string_view batchStep(std::span<const std::string_view> lines) override;
    std::string progressText() const override;
    void afterStreamsClosed() override;
    void beforeCommit(CommitSet&) override { surveyedFiles_.requireListUnchanged(); }
    // The findings of each code found.
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    void checkBlock(std::size_t worker, std::size_t block);
    void takeUp(std::size_t block);
    void writeRows(const CheckedBlock& block, std::size_t& row, std::size_t end);
    void writeRepeat(std::string_view call, std::uint32_t earlier);

    static constexpr std::size_t BlockLines = 128;

    // The frame reads the list through surveyedFiles_ (given to it before it is made,
    // and used only once the job runs), which surveys the list into crossLineChecks_.
    CrossLineChecks crossLineChecks_;
    SurveyedFiles surveyedFiles_;
    FindingTally tally_;
    std::string row_;
    std::span<const std::string_view> batch_;
    std::uint64_t batchFirstLine_ = 0;
    std::array<BlockChecker, 2> checkers_{BlockChecker(crossLineChecks_), BlockChecker(crossLineChecks_)};
    std::vector<CheckedBlock> blocks_;
    std::unique_ptr<SharedBatch> sharing_; // last: its helper uses the rest
};

} // namespace borvelin
