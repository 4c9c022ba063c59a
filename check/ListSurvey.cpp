// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/ListSurvey.h"

#include "calls/LookAheadRing.h"
#include "jobs/ConversionJob.h"
#include "jobs/PassRunner.h"
#include "jobs/StopRequest.h"

#include <string>

namespace borvelin {

void ListSurvey::prepare(std::size_t workers, std::size_t blocksPerBatch)
{
    while (surveyors_.size() < workers)
        surveyors_.emplace_back();
    facts_.resize(blocksPerBatch * PassRunner::BlockLines);
}

void ListSurvey::work(std::size_t worker, const LineBlock& block)
{
    SurveyFacts* facts = &facts_[block.index * PassRunner::BlockLines];
    for (const std::string_view line : block.lines)
        *facts++ = surveyors_[worker].factsOf(line);
}

void ListSurvey::takeUp(const LineBlock& block)
{
    if (block.index == 0) {
        batchFirstLine_ = checkedLineNumber(count_ + 1);
        batchLines_ = 0;
    }
    batchLines_ += block.lines.size();
    for (std::size_t line = 0; line < block.lines.size(); ++line) {
        if (++count_ % ConversionJob::ProgressInterval == 0)
            status_.setPanelText(ProgressPanel, "Read: " + std::to_string(count_));
        checkedLineNumber(count_);
    }
}

void ListSurvey::workOnPart(std::size_t, std::size_t shard)
{
    LookAheadRing<LineOfShard, 16> ahead;
    for (std::size_t line = 0; line < batchLines_; ++line)
        ahead.add({line, shard}, *this);
    ahead.takeAll(*this);
}

void ListSurvey::take(const LineOfShard& at)
{
    checks_.survey(at.shard, facts_[at.line], batchFirstLine_ + static_cast<std::uint32_t>(at.line));
}

} // namespace borvelin
