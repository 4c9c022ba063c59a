// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/SharedBatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace borvelin {
namespace {

// Each block is worked on once, by any thread (or, without a helper, by the calling
// thread), and taken up once, in order, on the calling thread, after its work; batch
// after batch.
TEST(SharedBatch, TakesUpEveryBlockOnceInOrderAfterItsWork)
{
    for (const std::size_t threads : {4, 2, 1}) {
        std::vector<int> results(300);
        std::vector<std::size_t> takenUp;
        bool takenUpElsewhere = false;
        bool workedElsewhere = false;
        const auto caller = std::this_thread::get_id();
        SharedBatch batch(
            [&](std::size_t, std::size_t block) {
                workedElsewhere = workedElsewhere || std::this_thread::get_id() != caller;
                results[block] = static_cast<int>(block) + 1;
            },
            [&](std::size_t block) {
                takenUpElsewhere = takenUpElsewhere || std::this_thread::get_id() != caller;
                takenUp.push_back(results[block] == static_cast<int>(block) + 1 ? block : results.size());
                results[block] = 0;
            },
            threads);
        for (const std::size_t blocks : {0, 1, 2, 7, 300, 300}) {
            takenUp.clear();
            batch.run(blocks);
            std::vector<std::size_t> inOrder(blocks);
            for (std::size_t block = 0; block < blocks; ++block)
                inOrder[block] = block;
            EXPECT_EQ(takenUp, inOrder) << blocks << " blocks";
        }
        EXPECT_FALSE(takenUpElsewhere);
        EXPECT_TRUE(threads > 1 || !workedElsewhere);
    }
}

// A taking up that throws ends the batch, but only once no block is being worked on,
// since the lines may go then; the next batch runs as usual. Blocks are slow, and the
// helper has begun one before anything is taken up, so that it is still at work when
// the failure comes.
TEST(SharedBatch, AFailureEndsTheBatchOnceNoBlockIsWorkedOn)
{
    std::atomic<int> begun = 0;
    std::atomic<int> ended = 0;
    std::atomic<bool> helperBegun = false;
    std::size_t failAt = 5;
    std::size_t takenUp = 0;
    SharedBatch batch(
        [&](std::size_t worker, std::size_t) {
            ++begun;
            helperBegun = helperBegun || worker == 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ++ended;
        },
        [&](std::size_t block) {
            while (!helperBegun)
                std::this_thread::yield();
            if (block == failAt)
                throw std::runtime_error("taking up failed");
            ++takenUp;
        },
        2);
    EXPECT_THROW(batch.run(300), std::runtime_error);
    EXPECT_EQ(begun.load(), ended.load());
    EXPECT_EQ(takenUp, failAt);
    failAt = 300;
    takenUp = 0;
    batch.run(10);
    EXPECT_EQ(takenUp, 10u);
}

} // namespace
} // namespace borvelin
