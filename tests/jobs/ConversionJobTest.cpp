// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's behaviour, seen through the jobs that use it.
#include "buro/BuroListJob.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "jobs/JobError.h"
#include "managers/List25Job.h"
#include "support/JobTest.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace borvelin {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::readFile;
using test::RecordingStatus;
using test::TestDirectory;
using test::writeFile;

std::string recordLines(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "Q" + std::to_string(i) + "ABC        QSL via Q2MGR\r\n";
    return bytes;
}

using ConversionJobTest = test::JobTest;

TEST_F(ConversionJobTest, EmptyInputGivesEmptyOutputAndCountZero)
{
    writeFile("QSL.TXT", "");
    writeFile("QSL.FUL", "stale\r\n");
    TxtToFulJob(state, status).run();
    EXPECT_EQ(readFile("QSL.FUL"), "");
    EXPECT_EQ(status.panelsWritten(), (std::vector<int>{4, 2, 3, 1}));
    EXPECT_EQ(status.textsOf(1), std::vector<std::string>{"Records: 0"});
    EXPECT_EQ(status.textsOf(4), std::vector<std::string>{"Current Dir: " + fs::current_path().string()});
    EXPECT_EQ(status.textsOf(2), std::vector<std::string>{"From: QSL.TXT"});
    EXPECT_EQ(status.textsOf(3), std::vector<std::string>{"To: QSL.FUL"});
}

TEST_F(ConversionJobTest, ProgressAtEveryWholeMultipleOf250AndAtTheEnd)
{
    const std::vector<std::pair<int, std::vector<std::string>>> cases = {
        {249, {"Records: 249"}},
        {250, {"Records: 250", "Records: 250"}},
        {600, {"Records: 250", "Records: 500", "Records: 600"}},
    };
    for (const auto& [records, progress] : cases) {
        writeFile("QSL.TXT", recordLines(records));
        RecordingStatus fresh;
        TxtToFulJob(state, fresh).run();
        EXPECT_EQ(fresh.textsOf(1), progress) << records << " records";
        EXPECT_EQ(state.RecCount, static_cast<std::uint64_t>(records));
    }
}

TEST_F(ConversionJobTest, MissingInputLeavesTheOutputAndThePanelsAlone)
{
    writeFile("QSL.FUL", "precious\r\n");
    try {
        TxtToFulJob(state, status).run();
        FAIL() << "ran without an input";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 53);
        EXPECT_EQ(error.fileName(), "QSL.TXT");
    }
    EXPECT_EQ(readFile("QSL.FUL"), "precious\r\n");
    EXPECT_TRUE(status.writes.empty());
    EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"QSL.FUL"});
}

TEST_F(ConversionJobTest, MissingInputCreatesNoOutputForEveryJob)
{
    EXPECT_THROW(TxtToFulJob(state, status).run(), JobError);
    EXPECT_THROW(FulToTxtJob(state, status).run(), JobError);
    EXPECT_THROW(BuroListJob(state, status).run(), JobError);
    EXPECT_TRUE(directory.fileNames().empty());
}

TEST_F(ConversionJobTest, FailurePartWayLeavesTheOldOutputWhole)
{
    writeFile("QSL.TXT", recordLines(100000)); // about 4 MB of FUL
    writeFile("QSL.FUL", "the earlier conversion\r\n");
    {
        test::FileSizeLimit limit(2u << 20);
        EXPECT_THROW(TxtToFulJob(state, status).run(), JobError);
    }
    EXPECT_EQ(readFile("QSL.FUL"), "the earlier conversion\r\n");
    EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"QSL.FUL", "QSL.TXT"}));
    // The panels keep what they showed at the failure: progress had begun.
    EXPECT_FALSE(status.textsOf(1).empty());
    EXPECT_NE(status.textsOf(1).back(), "Records: 100000");
}

TEST_F(ConversionJobTest, ASecondJobShowsItsOwnNamesAndCountsFromZero)
{
    writeFile("QSL.TXT", recordLines(300));
    TxtToFulJob(state, status).run();
    RecordingStatus second;
    FulToTxtJob(state, second).run();
    EXPECT_EQ(second.textsOf(2), std::vector<std::string>{"From: QSL.FUL"});
    EXPECT_EQ(second.textsOf(3), std::vector<std::string>{"To: QSL.TXT"});
    EXPECT_EQ(second.textsOf(1), (std::vector<std::string>{"Records: 250", "Records: 300"}));
    EXPECT_EQ(state.InFileName, "QSL.FUL");
    EXPECT_EQ(state.OutFileName, "QSL.TXT");
}

// Through the frame's seam: a write that fails part-way, in memory.
TEST(ConversionJobFiles, AWriteThatFailsPartWayStopsTheJobAndPutsNothingInPlace)
{
    struct Case {
        std::string input;
        std::string output;
        std::function<void(JobState&, StatusSink&, test::MemoryFiles&)> run;
    };
    const std::vector<Case> cases = {
        {"QSL.TXT", "QSL.FUL", [](auto& state, auto& status, auto& files) { TxtToFulJob(state, status, files).run(); }},
        {"QSL.FUL", "QSL.TXT", [](auto& state, auto& status, auto& files) { FulToTxtJob(state, status, files).run(); }},
        {"QSL.TXT", "QSL.CSV", [](auto& state, auto& status, auto& files) { List25Job(state, status, files).run(); }},
        {"QSL.TXT", "QSLMGR.TXT",
         [](auto& state, auto& status, auto& files) { List25Job(state, status, files).run(); }},
    };
    std::string lines;
    for (int i = 0; i < 1000; ++i)
        lines += test::listLine("Q" + std::to_string(i) + "A", "QSL via Q" + std::to_string(i % 3) + "MGR") + "\n";
    for (const Case& job : cases) {
        test::MemoryFiles files;
        files.files = {{job.input, lines}, {job.output, "kept\r\n"}, {"QSL.CSV", "kept\r\n"}};
        files.failOutput(job.output, 2);
        JobState state;
        RecordingStatus status;
        try {
            job.run(state, status, files);
            FAIL() << job.output << ": the job succeeded";
        } catch (const JobError& error) {
            EXPECT_EQ(error.number(), 61) << job.output;
            EXPECT_EQ(error.fileName(), job.output);
        }
        EXPECT_EQ(files.files[job.output], "kept\r\n") << job.output;
        EXPECT_EQ(files.files["QSL.CSV"], "kept\r\n") << job.output; // List of 25+ puts both in place or neither
    }
}

} // namespace
} // namespace borvelin
