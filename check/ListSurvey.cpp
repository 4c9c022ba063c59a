// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/ListSurvey.h"

#include "check/PlainLine.h"
#include "jobs/ConversionJob.h"
#include "jobs/JobError.h"
#include "jobs/StopRequest.h"

#include <limits>

namespace borvelin {

std::uint32_t checkedLineNumber(std::uint64_t count)
{
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw JobError(ErrorNumber::Overflow, "Overflow");
    return static_cast<std::uint32_t>(count);
}

void ListSurvey::readFacts()
{
    if (line_.size() <= ConversionJob::BlankedLineLength)
        line_.assign(1, ' '); // as every line of List of 25+
    if (const std::string_view manager = plainManagerOf(line_); !manager.empty()) {
        readPlainFacts(line_, manager, facts_);
        return;
    }
    entry_.reset();
    const std::string_view parsed = parser_.parse(line_, entry_);
    borvelin::readFacts(parsed, entry_, routes_.routeOf(parsed, entry_), facts_);
}

void ListSurvey::survey(LineSource& list)
{
    std::uint64_t count = 0;
    while (list.readLine(line_)) {
        stopIfRequested();
        if (++count % ConversionJob::ProgressInterval == 0)
            status_.setPanelText(ProgressPanel, "Read: " + std::to_string(count));
        readFacts();
        checks_.survey(facts_, checkedLineNumber(count));
    }
    checks_.finishSurvey();
}

} // namespace borvelin
