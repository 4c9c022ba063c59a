// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/LinePass.h"
#include "jobs/LineSource.h"
#include "jobs/SharedBatch.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace borvelin {

// Runs a job's line passes: reads the input in batches, cuts each batch into blocks of
// BlockLines lines, has every worker thread work on the blocks it takes, and takes the
// blocks up in order on the job's thread. A failure on a worker is kept with its block
// and raised when that block's turn comes; a stop request ends the pass before the next
// block. The threads are started for the first pass that works on blocks and kept for
// the rest of the job.
class PassRunner {
public:
    static constexpr std::size_t LinesPerBatch = 16384;
    static constexpr std::size_t BlockLines = 128;
    static constexpr std::size_t BlocksPerBatch = (LinesPerBatch + BlockLines - 1) / BlockLines;

    // `stopIfRequested` ends the pass with the stop's error, when a stop was requested.
    PassRunner(std::size_t workers, std::function<void()> stopIfRequested)
        : workers_(workers), stopIfRequested_(std::move(stopIfRequested))
    {
    }
    PassRunner(const PassRunner&) = delete;
    PassRunner& operator=(const PassRunner&) = delete;

    // Reads every line of `input` through `pass`, calling `batchRead` after each batch.
    // Gives back how many lines it read.
    std::uint64_t run(LinePass& pass, LineSource& input, const std::function<void()>& batchRead);

private:
    enum class Step { Blocks, Parts };

    void runParts(LinePass& pass);
    void work(std::size_t worker, std::size_t part) noexcept;
    void takeUp(std::size_t part);
    LineBlock blockAt(std::size_t index) const;

    std::size_t workers_;
    std::function<void()> stopIfRequested_;
    LinePass* pass_ = nullptr;
    Step step_ = Step::Blocks;
    std::span<const std::string_view> batch_;
    std::uint64_t batchFirstLine_ = 1;
    std::vector<std::exception_ptr> failures_; // of each block or part of the batch
    std::unique_ptr<SharedBatch> sharing_;     // last: its helpers use the rest
};

} // namespace borvelin
