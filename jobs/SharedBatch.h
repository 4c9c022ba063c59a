// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace borvelin {

// Work on a batch that the job's thread shares with helper threads. The batch is cut
// into blocks; each thread takes the next block not yet taken, works on it, and the
// job's thread takes up the finished blocks in their order as it goes. Whatever has an
// effect beyond its block (the outputs, the log, the progress) belongs in the taking up,
// so that it happens in the order of the lines, whatever the number of threads.
//
// Without a helper (one worker, or no thread to be had) the job's thread works on every
// block itself, each just before it is taken up: the same steps in the same order.
class SharedBatch {
public:
    // Works on one block; `worker` is 0 on the job's thread and 1 and up on the helpers.
    // Must not throw: a failure is kept in the block's result and raised when it is
    // taken up.
    using Work = std::function<void(std::size_t worker, std::size_t block)>;
    // Takes up one block's result, on the job's thread; may throw, which ends the batch.
    using TakeUp = std::function<void(std::size_t block)>;

    // `workers` threads in all, the caller's among them: as many helpers as can be had,
    // up to workers - 1.
    SharedBatch(Work work, TakeUp takeUp, std::size_t workers);
    // Stops the helpers.
    ~SharedBatch();
    SharedBatch(const SharedBatch&) = delete;
    SharedBatch& operator=(const SharedBatch&) = delete;

    // Works on blocks 0 to blocks - 1 and takes each up in order. When a taking up
    // throws, the blocks the helper has begun are finished first.
    void run(std::size_t blocks);

private:
    bool claim(std::uint64_t batch, std::size_t blocks, std::size_t& block);
    void markDone(std::size_t block);
    bool isDone(std::size_t block);
    void waitUntilDone(std::size_t block);
    void closeBatch(std::uint64_t batch, std::size_t blocks);
    void helpOut(std::size_t worker);

    Work work_;
    TakeUp takeUp_;
    std::mutex mutex_;
    std::condition_variable started_;  // a new batch, or the end
    std::condition_variable finished_; // a block is done
    std::uint64_t batch_ = 0;          // the number of the latest batch
    std::size_t blocks_ = 0;           // in the latest batch
    std::vector<char> done_;           // for each block of the latest batch
    bool quit_ = false;
    // The batch's number in the high half, the next block to take in the low half, so
    // that a thread late for one batch cannot take a block of the next.
    std::atomic<std::uint64_t> claims_{0};
    std::vector<std::thread> helpers_; // last: they start once the rest is set up
};

} // namespace borvelin
