// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CrossLineChecks.h"
#include "check/Finding.h"
#include "check/FindingTally.h"
#include "check/LineChecks.h"
#include "check/LineFacts.h"
#include "check/SurveyedFiles.h"
#include "jobs/ConversionJob.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "lookup/ParsedRoute.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace borvelin {

// Check List: QSLCHK.CSV, one row per finding (line number;severity;code;call;message),
// in the order of the lines. It reads QSL.TXT twice: the first pass notes what each call's
// lines say (ListSurvey, when the list is opened), the second checks every line and
// writes its findings. No other file changes: the lines List of 25+ would log become
// findings C1 instead.
class CheckJob : public ConversionJob {
public:
    static constexpr const char* OutputFileName = "QSLCHK.CSV";

    CheckJob(JobState& state, StatusSink& status, JobFiles& files = diskFiles());

    const FindingTally& tally() const { return tally_; }

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return OutputFileName; }
    std::string_view lineStep(std::string_view line) override;
    std::string progressText() const override;
    void afterStreamsClosed() override;
    // The findings of each code found.
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    // The parser's failures, as findings C1 of the line in hand.
    class FailureFindings : public LineFailureLog {
    public:
        explicit FailureFindings(CheckJob& job) : job_(job) {}
        void logFailure(std::string_view line, std::string_view message) override;

    private:
        CheckJob& job_;
    };

    void writeFindings();

    // The frame reads the list through surveyedFiles_ (given to it before it is made,
    // and used only once the job runs), which surveys the list into crossLineChecks_.
    CrossLineChecks crossLineChecks_;
    SurveyedFiles surveyedFiles_;
    std::vector<Finding> lineFindings_;
    // The messages of the line's C1 findings; a deque keeps them in place as it grows.
    std::deque<std::string> failureTexts_;
    std::size_t failureCount_ = 0;
    FailureFindings failureFindings_{*this};
    ListLineParser parser_{failureFindings_};
    ListEntry entry_;
    RouteReader routes_;
    LineChecks lineChecks_;
    FindingTally tally_;
    LineFacts facts_;
    std::string shortLine_;
    std::string row_;
};

} // namespace borvelin
