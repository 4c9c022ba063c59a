// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CheckJob.h"

#include "jobs/JobError.h"
#include "jobs/StopRequest.h"
#include "listline/LineLayout.h"

#include <algorithm>
#include <limits>

namespace borvelin {

CheckJob::CheckJob(JobState& state, StatusSink& status, JobFiles& files)
    : ConversionJob(state, status, files), listFiles_(files)
{
}

void CheckJob::FailureFindings::logFailure(std::string_view line, std::string_view message)
{
    findings_.push_back(
        Finding{0, Severity::Error, 1, std::string(firstWord(line)), "List of 25+ logs: " + std::string(message)});
}

// Line numbers are kept in 32 bits, one record per call.
std::uint32_t CheckJob::lineNumberOf(std::uint64_t count) const
{
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw JobError(ErrorNumber::Overflow, "Overflow");
    return static_cast<std::uint32_t>(count);
}

void CheckJob::parse(std::string& textLine, ListLineParser& parser)
{
    entry_.reset();
    blankShortLine(textLine);
    parser.parse(textLine, entry_);
}

void CheckJob::surveyList()
{
    surveyed_ = true;
    const auto list = listFiles_.openInput(inputName());
    std::string line;
    std::uint64_t count = 0;
    while (list->readLine(line)) {
        stopIfRequested();
        if (++count % ProgressInterval == 0)
            status_.setPanelText(ProgressPanel, "Read: " + std::to_string(count));
        parse(line, surveyParser_);
        crossLineChecks_.survey(factsOf(line, routes_.routeOf(line, entry_)), lineNumberOf(count));
    }
}

void CheckJob::lineStep(std::string& textLine)
{
    if (!surveyed_)
        surveyList();
    ++state_.RecCount;
    const std::uint32_t lineNumber = lineNumberOf(state_.RecCount);
    showProgressIfDue();
    lineFindings_.clear();
    const bool shortLine = textLine.size() <= BlankedLineLength;
    if (shortLine) {
        shortLine_ = textLine;
        lineChecks_.checkShortLine(shortLine_, lineFindings_);
    }
    parse(textLine, checkParser_);
    if (shortLine)
        for (Finding& finding : lineFindings_)
            finding.call = firstWord(shortLine_); // the grammar saw a blank
    const LineFacts facts = factsOf(textLine, routes_.routeOf(textLine, entry_));
    lineChecks_.check(textLine, entry_, facts, lineFindings_);
    crossLineChecks_.check(entry_, facts, lineNumber, lineFindings_);
    writeFindings();
}

void CheckJob::writeFindings()
{
    std::stable_sort(lineFindings_.begin(), lineFindings_.end(),
                     [](const Finding& a, const Finding& b) { return a.code < b.code; });
    const std::string lineNumber = std::to_string(state_.RecCount);
    for (const Finding& finding : lineFindings_) {
        row_.assign(lineNumber).append(";").append(severityText(finding.severity));
        row_.append(";C").append(std::to_string(finding.code)).append(";");
        row_.append(finding.call).append(";").append(finding.message);
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

} // namespace borvelin
