// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include <sys/stat.h>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;

// Ctrl+C, a SIGTERM at shutdown or a SIGHUP from a closed terminal, in the middle of a job. The input is a FIFO that
// the test feeds, so the signal comes while the job is surely in its read loop: after its first progress report and
// before the input ends.
class InterruptedRun : public FaultTest, public ::testing::WithParamInterface<Job> {
protected:
    bool waitForProgress(const CliProcess& cli)
    {
        const std::regex firstProgress("Rec(ords)?: 250");
        for (int tries = 0; tries < 2000; ++tries) {
            if (std::regex_search(cli.errorTextSoFar(), firstProgress))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
};

TEST_P(InterruptedRun, LeavesEveryFileAsItWas)
{
    const Job& job = GetParam();
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        fs::remove(job.input); // the last round's FIFO
        writeEarlierFiles(20);
        auto list = plainList(40000); // more than the reader takes in at once
        // Lines List of 25+ logs, before the signal too: none of their entries may stay.
        for (std::size_t at = 0; at < list.size(); at += 97)
            list[at] = "XYZLAND      QSL Bureau only";
        const std::string input = job.input == "QSL.FUL" ? fulRecords(list) : test::crlfLines(list);
        fs::remove(job.input);
        ASSERT_EQ(mkfifo(job.input.c_str(), 0644), 0);
        const DirectoryState before = DirectoryState::of(directory.path());

        CliProcess cli(directory.path(), {job.command});
        {
            std::ofstream feed(job.input, std::ios::binary); // opens once the job opens its end
            feed.write(input.data(), static_cast<std::streamsize>(input.size()));
            feed.flush();
            ASSERT_TRUE(waitForProgress(cli)) << cli.errorTextSoFar();
            cli.sendSignal(signalNumber);
        } // the input ends here
        const CliResult result = cli.wait();
        EXPECT_EQ(result.exitStatus, 128 + signalNumber) << result.errorText; // as the shell expects
        EXPECT_NE(result.errorText.find("error 18: User interrupt occurred"), std::string::npos) << result.errorText;
        expectAsBefore(directory.path(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryJob, InterruptedRun, ::testing::ValuesIn(allJobs()), jobName);

} // namespace
} // namespace borvelin::faults
