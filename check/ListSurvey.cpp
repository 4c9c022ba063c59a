// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/ListSurvey.h"

#include "jobs/ConversionJob.h"
#include "jobs/StopRequest.h"

#include <algorithm>
#include <string>

namespace borvelin {

ListSurvey::ListSurvey(CrossLineChecks& checks, StatusSink& status)
    : checks_(checks), status_(status), facts_(ConversionJob::LinesPerBatch),
      errors_((ConversionJob::LinesPerBatch + BlockLines - 1) / BlockLines),
      sharing_(makeSharedBatch([this](std::size_t worker, std::size_t part) { work(worker, part); },
                               [this](std::size_t part) { takeUp(part); }))
{
}

void ListSurvey::survey(LineSource& list)
{
    std::vector<std::string_view> lines(ConversionJob::LinesPerBatch);
    for (std::size_t count; (count = list.readLines(lines)) != 0;) {
        batch_ = std::span(lines).first(count);
        batchFirstLine_ = checkedLineNumber(count_ + 1);
        step_ = Step::ReadFacts;
        sharing_->run((count + BlockLines - 1) / BlockLines);
        step_ = Step::SurveyShards;
        sharing_->run(CrossLineChecks::Shards);
        status_.showInputRead(list.bytesRead(), list.size());
    }
    checks_.finishSurvey();
}

// A block of lines, or a shard of the records.
void ListSurvey::work(std::size_t worker, std::size_t part)
{
    if (step_ == Step::ReadFacts)
        readBlock(worker, part);
    else
        surveyShard(part);
}

void ListSurvey::takeUp(std::size_t part)
{
    if (step_ == Step::ReadFacts)
        countLines(part);
    else if (shardErrors_[part])
        std::rethrow_exception(shardErrors_[part]);
}

void ListSurvey::readBlock(std::size_t worker, std::size_t block) noexcept
{
    errors_[block] = nullptr;
    try {
        const std::size_t first = block * BlockLines;
        const std::size_t end = std::min(first + BlockLines, batch_.size());
        for (std::size_t line = first; line < end; ++line)
            facts_[line] = surveyors_[worker].factsOf(batch_[line]);
    } catch (...) {
        errors_[block] = std::current_exception();
    }
}

void ListSurvey::countLines(std::size_t block)
{
    if (errors_[block])
        std::rethrow_exception(errors_[block]);
    const std::size_t lines = std::min(BlockLines, batch_.size() - block * BlockLines);
    for (std::size_t line = 0; line < lines; ++line) {
        stopIfRequested();
        if (++count_ % ConversionJob::ProgressInterval == 0)
            status_.setPanelText(ProgressPanel, "Read: " + std::to_string(count_));
        checkedLineNumber(count_);
    }
}

void ListSurvey::surveyShard(std::size_t shard) noexcept
{
    shardErrors_[shard] = nullptr;
    try {
        surveyLines(shard);
    } catch (...) {
        shardErrors_[shard] = std::current_exception();
    }
}

void ListSurvey::surveyLines(std::size_t shard)
{
    const std::size_t lines = batch_.size();
    for (std::size_t line = 0; line < std::min(SlotsAhead, lines); ++line)
        checks_.prefetchSlots(shard, facts_[line]);
    for (std::size_t line = 0; line < std::min(RecordsAhead, lines); ++line)
        checks_.prefetchRecords(shard, facts_[line]);
    for (std::size_t line = 0; line < lines; ++line) {
        if (line + SlotsAhead < lines)
            checks_.prefetchSlots(shard, facts_[line + SlotsAhead]);
        if (line + RecordsAhead < lines)
            checks_.prefetchRecords(shard, facts_[line + RecordsAhead]);
        checks_.survey(shard, facts_[line], batchFirstLine_ + static_cast<std::uint32_t>(line));
    }
}

} // namespace borvelin
