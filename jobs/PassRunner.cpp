// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/PassRunner.h"

#include <algorithm>

namespace borvelin {

std::uint64_t PassRunner::run(LinePass& pass, LineSource& input, const std::function<void()>& batchRead)
{
    pass_ = &pass;
    pass.prepare(workers_, BlocksPerBatch);
    const bool shared = pass.worksOnBlocks() || pass.partsPerBatch() != 0;
    if (shared && !sharing_) {
        failures_.resize(BlocksPerBatch);
        sharing_ = std::make_unique<SharedBatch>([this](std::size_t worker, std::size_t part) { work(worker, part); },
                                                 [this](std::size_t part) { takeUp(part); }, workers_);
    }
    std::vector<std::string_view> lines(LinesPerBatch);
    std::uint64_t linesRead = 0;
    for (std::size_t count; (count = input.readLines(lines)) != 0;) {
        batch_ = std::span(lines).first(count);
        batchFirstLine_ = linesRead + 1;
        if (pass.worksOnBlocks()) {
            step_ = Step::Blocks;
            sharing_->run((count + BlockLines - 1) / BlockLines);
        } else {
            stopIfRequested_();
            pass.takeUp({batch_, 0, batchFirstLine_});
        }
        runParts(pass);
        linesRead += count;
        batchRead();
    }
    pass.finish();
    return linesRead;
}

void PassRunner::runParts(LinePass& pass)
{
    const std::size_t parts = pass.partsPerBatch();
    if (parts == 0)
        return;
    if (failures_.size() < parts)
        failures_.resize(parts);
    step_ = Step::Parts;
    sharing_->run(parts);
}

LineBlock PassRunner::blockAt(std::size_t index) const
{
    const std::size_t first = index * BlockLines;
    return {batch_.subspan(first, std::min(BlockLines, batch_.size() - first)), index, batchFirstLine_ + first};
}

void PassRunner::work(std::size_t worker, std::size_t part) noexcept
{
    failures_[part] = nullptr;
    try {
        if (step_ == Step::Blocks)
            pass_->work(worker, blockAt(part));
        else
            pass_->workOnPart(worker, part);
    } catch (...) {
        failures_[part] = std::current_exception();
    }
}

void PassRunner::takeUp(std::size_t part)
{
    if (failures_[part])
        std::rethrow_exception(failures_[part]);
    if (step_ == Step::Blocks) {
        stopIfRequested_();
        pass_->takeUp(blockAt(part));
    }
}

} // namespace borvelin
