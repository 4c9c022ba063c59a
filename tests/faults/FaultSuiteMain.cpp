// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Closes the run with what every failed run left behind, summed over the suite.
class FaultSummary : public ::testing::Environment {
public:
    void TearDown() override
    {
        const auto& count = borvelin::faults::faultCount();
        std::printf("fault suite: %d failed runs; %d files compared before and after: %d changed, "
                    "%d temporary files left\n",
                    count.failedRuns, count.filesCompared, count.filesChanged, count.temporaryFilesLeft);
    }
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new FaultSummary); // the framework owns it
    return RUN_ALL_TESTS();
}
