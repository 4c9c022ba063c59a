// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CheckJob.h"

#include "check/ListSurvey.h"
#include "listline/LineLayout.h"

namespace borvelin {

CheckJob::CheckJob(JobState& state, StatusSink& status, JobFiles& files)
    : ConversionJob(state, status, surveyedFiles_), surveyedFiles_(files, crossLineChecks_, status)
{
}

void CheckJob::FailureFindings::logFailure(std::string_view, std::string_view message)
{
    if (job_.failureCount_ == job_.failureTexts_.size())
        job_.failureTexts_.emplace_back();
    std::string& text = job_.failureTexts_[job_.failureCount_++];
    text.assign(message);
    Finding& finding = job_.lineFindings_.emplace_back();
    finding.severity = Severity::Error;
    finding.code = 1;
    finding.named = text; // its call is the line's, once the parse is done
}

std::string_view CheckJob::lineStep(std::string_view line)
{
    ++state_.RecCount;
    const std::uint32_t lineNumber = checkedLineNumber(state_.RecCount);
    showProgressIfDue();
    lineFindings_.clear();
    failureCount_ = 0;
    const bool shortLine = line.size() <= BlankedLineLength;
    if (shortLine) {
        shortLine_ = line;
        lineChecks_.checkShortLine(shortLine_, lineFindings_);
    }
    entry_.reset();
    const std::string_view textLine = parser_.parse(blankShortLine(line), entry_);
    // A short line reached the grammar as a blank; a repair leaves the first word as it was.
    for (Finding& finding : lineFindings_)
        if (finding.code == 1)
            finding.call = firstWord(shortLine ? std::string_view(shortLine_) : std::string_view(textLine));
    readFacts(textLine, entry_, routes_.routeOf(textLine, entry_), facts_);
    lineChecks_.check(textLine, entry_, facts_, lineFindings_);
    crossLineChecks_.check(entry_, facts_, lineNumber, lineFindings_);
    writeFindings();
    return textLine;
}

void CheckJob::writeFindings()
{
    if (lineFindings_.empty())
        return;
    // In the order of their codes; a line has few, found in nearly that order.
    for (std::size_t next = 1; next < lineFindings_.size(); ++next)
        for (std::size_t at = next; at > 0 && lineFindings_[at - 1].code > lineFindings_[at].code; --at)
            std::swap(lineFindings_[at - 1], lineFindings_[at]);
    const std::string lineNumber = std::to_string(state_.RecCount);
    for (const Finding& finding : lineFindings_) {
        row_.assign(lineNumber).append(";").append(severityText(finding.severity));
        row_.append(";C").append(std::to_string(finding.code)).append(";");
        row_.append(finding.call).append(";");
        appendMessage(row_, finding);
        writeLine(row_);
        tally_.count(finding.code);
    }
}

std::string CheckJob::progressText() const
{
    return "Checked: " + std::to_string(state_.RecCount) + ", findings: " + std::to_string(tally_.total());
}

void CheckJob::afterStreamsClosed()
{
    status_.setPanelText(ProgressPanel, tally_.summary());
}

void CheckJob::addCounts(std::vector<JobSummary::Count>& counts) const
{
    for (int code = 1; code <= LastCode; ++code)
        if (const std::uint64_t found = tally_.countOf(code); found != 0)
            counts.push_back({"finding C" + std::to_string(code), "findings C" + std::to_string(code), found});
}

} // namespace borvelin
