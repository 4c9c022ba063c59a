// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/List25Job.h"
#include "jobs/JobError.h"
#include "support/JobTest.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace borvelin {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::listLine;
using test::readFile;
using test::RecordingStatus;
using test::TestDirectory;
using test::writeFile;

std::vector<std::string> managerLines(const std::string& manager, int count)
{
    return std::vector<std::string>(count, listLine("Q1ABC", "QSL via " + manager));
}

std::vector<std::string> distinctManagers(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(listLine("Q1ABC", "QSL via Q" + std::to_string(1000 + i)));
    return lines;
}

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class List25JobTest : public test::JobTest {
protected:
    void run(const std::vector<std::string>& lines)
    {
        writeFile("QSL.TXT", crlfLines(lines));
        status.writes.clear();
        List25Job job(state, status);
        job.run();
        tally = job.tally();
        summary = job.summary();
    }

    ManagerTally tally;
    JobSummary summary;
};

TEST_F(List25JobTest, OneRecordPerLineAndTheManagersCounted)
{
    run({listLine("Q1ABC", "QSL via Q2MGR"), listLine("QA/Q1ABC", "QSL via Home Call"),
         listLine("Q1ABC", "NOT via Q2MGR! new info"),
         listLine("XYZLAND", "QSL Bureau, P.O. Box 9, Capital City, Country"), ""});
    EXPECT_EQ(readFile("QSL.CSV"),
              crlfLines({"Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;", "Q1ABC;QA;Q1ABC;;NO;NO;NO;;;NO;;;0;;;;;",
                         "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;1;;;;;",
                         "XYZLAND;;;;NO;NO;NO;;;YES;;;0;QSL Bureau;P.O. Box 9;Capital City;Country;",
                         ";;;;NO;NO;NO;;;YES;;;0;;;;;"}));
    EXPECT_EQ(tally.hitsOf("Q2MGR"), 1);
    EXPECT_EQ(tally.hitsOf("Q1ABC"), 1);
    EXPECT_EQ(tally.MgrCount(), 2u);
    EXPECT_EQ(readFile("QSLMGR.TXT"), "");
    EXPECT_EQ(status.textsOf(1), std::vector<std::string>{"Rec: 5 2"});
    EXPECT_EQ(status.textsOf(3), (std::vector<std::string>{"To: QSL.CSV", "To: QSLMGR.TXT"}));
    EXPECT_EQ(state.OutFileName, "QSLMGR.TXT");
}

TEST_F(List25JobTest, EmptyListStillWritesTheManagerFile)
{
    run({});
    EXPECT_EQ(readFile("QSL.CSV"), "");
    EXPECT_EQ(readFile("QSLMGR.TXT"), "");
    EXPECT_EQ(status.textsOf(1), std::vector<std::string>{"Rec: 0 0"});
    EXPECT_FALSE(fs::exists("BORVELIN.LOG"));
}

TEST_F(List25JobTest, ManagersWith25RecordsOrMoreInByteOrder)
{
    run(concat(concat(concat(managerLines("Q2ABC", 25), managerLines("Q1AB", 26)), managerLines("Q1AA", 24)),
               concat(managerLines("q2abc", 30), managerLines("Q1AA", 1))));
    EXPECT_EQ(readFile("QSLMGR.TXT"), crlfLines({"Q1AA", "Q1AB", "Q2ABC", "q2abc"}));
    EXPECT_EQ(tally.hitsOf("Q2ABC"), 25);
    EXPECT_EQ(tally.hitsOf("Q1AB"), 26);
}

TEST_F(List25JobTest, ProgressEvery250LinesBeforeTheLineIsParsed)
{
    run(managerLines("Q2MGR", 250));
    EXPECT_EQ(status.textsOf(1), (std::vector<std::string>{"Rec: 250 1", "Rec: 250 1"}));

    // The 250th line's manager is not yet counted.
    run(concat({listLine("Q1ABC", "QSL via Q2MGR")}, distinctManagers(249)));
    EXPECT_EQ(status.textsOf(1), (std::vector<std::string>{"Rec: 250 249", "Rec: 250 250", "MGR: 250/250"}));
}

TEST_F(List25JobTest, ManagerFileProgressEvery250Entries)
{
    run(distinctManagers(249));
    EXPECT_EQ(status.textsOf(1), std::vector<std::string>{"Rec: 249 249"});
    run(distinctManagers(600));
    EXPECT_EQ(status.textsOf(1), (std::vector<std::string>{"Rec: 250 249", "Rec: 500 499", "Rec: 600 600",
                                                           "MGR: 250/600", "MGR: 500/600"}));
}

TEST_F(List25JobTest, EveryRunCountsAfresh)
{
    run(managerLines("Q2MGR", 25));
    const std::string firstManagers = readFile("QSLMGR.TXT");
    EXPECT_EQ(firstManagers, crlfLines({"Q2MGR"}));
    run(managerLines("Q2MGR", 25));
    EXPECT_EQ(readFile("QSLMGR.TXT"), firstManagers);
    EXPECT_EQ(tally.hitsOf("Q2MGR"), 25);
    run(managerLines("Q2MGR", 13));
    EXPECT_EQ(readFile("QSLMGR.TXT"), "");
    EXPECT_EQ(status.textsOf(1), std::vector<std::string>{"Rec: 13 1"});
}

TEST_F(List25JobTest, SummaryGivesTheLinesTheFilesAndTheFigures)
{
    run(concat(managerLines("Q2MGR", 30), {listLine("XYZLAND", "QSL Bureau only"), ""}));
    EXPECT_EQ(summary.linesRead, 32u);
    ASSERT_EQ(summary.filesWritten.size(), 2u);
    EXPECT_EQ(summary.filesWritten[0].name, "QSL.CSV");
    EXPECT_EQ(summary.filesWritten[0].lines, 32u);
    EXPECT_EQ(summary.filesWritten[1].name, "QSLMGR.TXT");
    EXPECT_EQ(summary.filesWritten[1].lines, 1u);
    ASSERT_EQ(summary.counts.size(), 2u);
    EXPECT_EQ(summary.counts[0].count, 1u);
    EXPECT_EQ(summary.counts[0].what(), "manager with 25 or more records");
    EXPECT_EQ(summary.counts[1].count, 2u);
    EXPECT_EQ(summary.counts[1].what(), "entries logged");
}

TEST_F(List25JobTest, LineFailuresAreLoggedAndTheRecordWritten)
{
    const std::string bureau = listLine("XYZLAND", "QSL Bureau only", 40);
    const std::string bracket = listLine("Q1ABC", "QSL via Q2MGR (for Q5XYZ", 116);
    run({bureau, listLine("Q1ABC", "QSL via Q2MGR"), bracket});
    const std::string log = readFile("BORVELIN.LOG");
    const std::string bureauEntry =
        "\r\n" + bureau + "\r\nFailure: XYZLAND is not a call or the buro is not followed by an address.\r\n";
    const std::string bracketEntry =
        "\r\n" + bracket + "\r\nFailure: Bracket open is not followed by a bracket close.\r\n";
    EXPECT_NE(log.find(bureauEntry), std::string::npos) << log;
    EXPECT_NE(log.find(bracketEntry), std::string::npos) << log;
    EXPECT_LT(log.find(bureauEntry), log.find(bracketEntry));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6);
    EXPECT_EQ(readFile("QSL.CSV"),
              crlfLines({"XYZLAND;;;;NO;NO;NO;;;YES;;;0;;;;;QSL Bureau only", "Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;",
                         "Q1ABC;;Q2MGR;;NO;NO;NO;Q5XYZ     ;;NO;;;0;;;;;"}));

    run({listLine("Q1ABC", "QSL via Q2MGR")}); // a clean run leaves the log alone
    EXPECT_EQ(readFile("BORVELIN.LOG"), log);
}

class List25FailureTest : public List25JobTest {
protected:
    void SetUp() override
    {
        writeFile("QSL.CSV", "earlier records\r\n");
        writeFile("QSLMGR.TXT", "Q9OLD\r\n");
        writeFile("BORVELIN.LOG", "earlier entries\r\n");
    }

    // The list begins with a line that is logged, so that a run that fails after it has
    // an entry that must not reach the log.
    void writeList(const std::vector<std::string>& lines)
    {
        writeFile("QSL.TXT", crlfLines(concat({listLine("XYZLAND", "QSL Bureau only")}, lines)));
    }

    void expectNothingChanged(int expectedError)
    {
        try {
            List25Job(state, status).run();
            FAIL() << "the run succeeded";
        } catch (const JobError& error) {
            EXPECT_EQ(error.number(), expectedError) << error.what();
        }
        EXPECT_EQ(readFile("QSL.CSV"), "earlier records\r\n");
        EXPECT_EQ(readFile("QSLMGR.TXT"), "Q9OLD\r\n");
        if (fs::is_regular_file("BORVELIN.LOG")) {
            EXPECT_EQ(readFile("BORVELIN.LOG"), "earlier entries\r\n");
        }
        EXPECT_EQ(directory.fileNames().size(), fs::exists("QSL.TXT") ? 4u : 3u) << "a temporary file was left";
    }
};

TEST_F(List25FailureTest, OverflowStopsTheJob)
{
    writeList(managerLines("Q2MGR", 32768));
    expectNothingChanged(6);
}

// Managers are counted some records late, and long lists are parsed ahead on a second
// thread; a count that fails late still fails the run, and the lines logged before it,
// around it and after it leave no entry in the log.
TEST_F(List25FailureTest, OverflowFoundLateStillLeavesTheLogAlone)
{
    const std::string bracket = listLine("Q1ABC", "QSL via Q3NEW (for Q5XYZ");
    std::vector<std::string> lines(2500, listLine("Q1ABC", "QSL via Q3NEW"));
    lines[1250] = bracket;
    lines.insert(lines.end(), 32768, listLine("Q1ABC", "QSL via Q2MGR"));
    lines.insert(lines.end(), 2000, bracket);
    writeList(lines);
    expectNothingChanged(6);
}

TEST_F(List25FailureTest, TooManyManagersStopsTheJob)
{
    writeList(distinctManagers(100001));
    expectNothingChanged(9);
}

TEST_F(List25FailureTest, UnwritableManagerFileStopsTheJob)
{
    fs::remove("QSLMGR.TXT");
    fs::create_directory("QSLMGR.TXT");
    writeList({listLine("Q1ABC", "QSL via Q3NEW")});
    try {
        List25Job(state, status).run();
        FAIL() << "the run succeeded";
    } catch (const JobError&) {
    }
    EXPECT_EQ(readFile("QSL.CSV"), "earlier records\r\n");
    EXPECT_EQ(readFile("BORVELIN.LOG"), "earlier entries\r\n");
    EXPECT_EQ(status.textsOf(3).back(), "To: QSLMGR.TXT");
}

TEST_F(List25FailureTest, UnwritableLogStopsTheJob)
{
    fs::remove("BORVELIN.LOG");
    fs::create_directory("BORVELIN.LOG");
    writeList({listLine("Q1ABC", "QSL via Q3NEW"), ""});
    expectNothingChanged(75);
}

TEST_F(List25FailureTest, MissingListTouchesNothing)
{
    expectNothingChanged(53);
    EXPECT_TRUE(status.writes.empty());
}

} // namespace
} // namespace borvelin
