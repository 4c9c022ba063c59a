// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CheckJob.h"

#include "jobs/JobError.h"
#include "jobs/StopRequest.h"
#include "listline/LineLayout.h"

#include <limits>

namespace borvelin {

CheckJob::CheckJob(JobState& state, StatusSink& status, JobFiles& files)
    : ConversionJob(state, status, files), listFiles_(files)
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
        crossLineChecks_.survey(factsOf(line, entry_, routes_.routeOf(line, entry_)), lineNumberOf(count));
    }
    crossLineChecks_.finishSurvey();
}

void CheckJob::lineStep(std::string& textLine)
{
    if (!surveyed_)
        surveyList();
    ++state_.RecCount;
    const std::uint32_t lineNumber = lineNumberOf(state_.RecCount);
    showProgressIfDue();
    lineFindings_.clear();
    failureCount_ = 0;
    const bool shortLine = textLine.size() <= BlankedLineLength;
    if (shortLine) {
        shortLine_ = textLine;
        lineChecks_.checkShortLine(shortLine_, lineFindings_);
    }
    parse(textLine, checkParser_);
    // A short line reached the grammar as a blank; a repair leaves the first word as it was.
    for (Finding& finding : lineFindings_)
        if (finding.code == 1)
            finding.call = firstWord(shortLine ? std::string_view(shortLine_) : std::string_view(textLine));
    const LineFacts facts = factsOf(textLine, entry_, routes_.routeOf(textLine, entry_));
    lineChecks_.check(textLine, entry_, facts, lineFindings_);
    crossLineChecks_.check(entry_, facts, lineNumber, lineFindings_);
    writeFindings();
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

} // namespace borvelin
