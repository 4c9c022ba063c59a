// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CrossLineChecks.h"
#include "check/LineFacts.h"
#include "check/LineSurveyor.h"
#include "jobs/LinePass.h"
#include "jobs/StatusSink.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace borvelin {

// Check List's first pass: what every line of the list says of its calls, into the
// checks across lines. A batch of lines goes in two steps, each on every worker: the
// lines' facts are read in blocks (LineSurveyor), then each worker surveys the records
// of one shard (CrossLineChecks), all the lines in order, asking for each line's slots
// and records a few lines ahead (LookAheadRing).
class ListSurvey : public LinePass {
public:
    ListSurvey(CrossLineChecks& checks, StatusSink& status) : checks_(checks), status_(status) {}

    // The ring's steps, over the lines of the batch, for the shard in hand.
    struct LineOfShard {
        std::size_t line = 0;
        std::size_t shard = 0;
    };
    void askForSlot(const LineOfShard& at) const { checks_.prefetchSlots(at.shard, facts_[at.line]); }
    void askForRecord(const LineOfShard& at) const { checks_.prefetchRecords(at.shard, facts_[at.line]); }
    void take(const LineOfShard& at);

private:
    bool worksOnBlocks() const override { return true; }
    void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
    void work(std::size_t worker, const LineBlock& block) override;
    void takeUp(const LineBlock& block) override;
    std::size_t partsPerBatch() const override { return CrossLineChecks::Shards; }
    void workOnPart(std::size_t worker, std::size_t shard) override;
    void finish() override { checks_.finishSurvey(); }

    CrossLineChecks& checks_;
    StatusSink& status_;
    std::uint64_t count_ = 0;
    std::uint32_t batchFirstLine_ = 0;
    std::size_t batchLines_ = 0;
    std::deque<LineSurveyor> surveyors_; // for each worker
    std::vector<SurveyFacts> facts_;     // of the batch's lines
};

} // namespace borvelin
