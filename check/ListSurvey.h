// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CrossLineChecks.h"
#include "check/LineFacts.h"
#include "check/LineSurveyor.h"
#include "jobs/LineSource.h"
#include "jobs/SharedBatch.h"
#include "jobs/StatusSink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace borvelin {

// Check List's first pass: what every line of the list says of its calls, into the
// checks across lines. A batch of lines goes in two steps, each on two threads where
// the machine has two: the lines' facts are read in blocks, then each thread surveys the
// records of one shard (CrossLineChecks), all the lines in order, asking for each line's
// records a few lines ahead.
class ListSurvey {
public:
    ListSurvey(CrossLineChecks& checks, StatusSink& status);

    void survey(LineSource& list);

private:
    enum class Step { ReadFacts, SurveyShards };

    void work(std::size_t worker, std::size_t part);
    void takeUp(std::size_t part);
    void readBlock(std::size_t worker, std::size_t block) noexcept;
    void countLines(std::size_t block);
    void surveyShard(std::size_t shard) noexcept;
    void surveyLines(std::size_t shard);

    static constexpr std::size_t BlockLines = 128;
    // A line's slots are asked for this many lines before it is surveyed, its records
    // (then found through slots at hand) this many.
    static constexpr std::size_t SlotsAhead = 16;
    static constexpr std::size_t RecordsAhead = 8;

    CrossLineChecks& checks_;
    StatusSink& status_;
    Step step_ = Step::ReadFacts;
    std::uint64_t count_ = 0;
    std::span<const std::string_view> batch_;
    std::uint32_t batchFirstLine_ = 0;
    std::array<LineSurveyor, 2> surveyors_; // for each thread
    std::vector<SurveyFacts> facts_;        // of the batch's lines
    // What stopped a block or a shard, raised when it is taken up.
    std::vector<std::exception_ptr> errors_;
    std::array<std::exception_ptr, CrossLineChecks::Shards> shardErrors_;
    std::unique_ptr<SharedBatch> sharing_; // last: its helper uses the rest
};

} // namespace borvelin
