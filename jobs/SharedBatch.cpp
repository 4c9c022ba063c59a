// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/SharedBatch.h"

#include <system_error>

namespace borvelin {

namespace {

constexpr unsigned BlockBits = 32;
constexpr std::uint64_t BlockMask = (std::uint64_t{1} << BlockBits) - 1;

} // namespace

SharedBatch::SharedBatch(Work work, TakeUp takeUp, std::size_t workers)
    : work_(std::move(work)), takeUp_(std::move(takeUp))
{
    try {
        for (std::size_t worker = 1; worker < workers; ++worker)
            helpers_.emplace_back([this, worker] { helpOut(worker); });
    } catch (const std::system_error&) {
        // No more threads to be had: those there are do all.
    }
}

SharedBatch::~SharedBatch()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    started_.notify_all();
    for (std::thread& helper : helpers_)
        helper.join();
}

void SharedBatch::run(std::size_t blocks)
{
    std::uint64_t batch = 0;
    {
        const std::lock_guard lock(mutex_);
        batch = ++batch_;
        blocks_ = blocks;
        done_.assign(blocks, 0);
        claims_.store(batch << BlockBits);
    }
    started_.notify_all();
    // Taking up comes first: this thread works on a block itself only when the next one
    // to take up is not done, so that the helper is not left waiting at the batch's end.
    std::size_t nextToTakeUp = 0;
    try {
        for (std::size_t block = 0; nextToTakeUp < blocks;) {
            if (isDone(nextToTakeUp)) {
                takeUp_(nextToTakeUp++);
            } else if (claim(batch, blocks, block)) {
                work_(0, block);
                markDone(block);
            } else {
                waitUntilDone(nextToTakeUp);
            }
        }
    } catch (...) {
        closeBatch(batch, blocks);
        throw;
    }
}

bool SharedBatch::claim(std::uint64_t batch, std::size_t blocks, std::size_t& block)
{
    std::uint64_t claims = claims_.load();
    for (;;) {
        if (claims >> BlockBits != batch || (claims & BlockMask) >= blocks)
            return false;
        if (claims_.compare_exchange_weak(claims, claims + 1)) {
            block = static_cast<std::size_t>(claims & BlockMask);
            return true;
        }
    }
}

void SharedBatch::markDone(std::size_t block)
{
    {
        const std::lock_guard lock(mutex_);
        done_[block] = 1;
    }
    finished_.notify_one();
}

bool SharedBatch::isDone(std::size_t block)
{
    const std::lock_guard lock(mutex_);
    return done_[block] != 0;
}

void SharedBatch::waitUntilDone(std::size_t block)
{
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return done_[block] != 0; });
}

// No block is taken after this, and every block taken is finished: the lines and the
// results may go once it returns.
void SharedBatch::closeBatch(std::uint64_t batch, std::size_t blocks)
{
    const std::uint64_t claims = claims_.exchange((batch << BlockBits) | blocks);
    const std::size_t taken = claims >> BlockBits == batch ? static_cast<std::size_t>(claims & BlockMask) : blocks;
    for (std::size_t block = 0; block < taken && block < blocks; ++block)
        waitUntilDone(block);
}

void SharedBatch::helpOut(std::size_t worker)
{
    std::uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        started_.wait(lock, [&] { return quit_ || batch_ != seen; });
        if (quit_)
            return;
        seen = batch_;
        const std::size_t blocks = blocks_;
        lock.unlock();
        for (std::size_t block = 0; claim(seen, blocks, block);) {
            work_(worker, block);
            markDone(block);
        }
        lock.lock();
    }
}

} // namespace borvelin
