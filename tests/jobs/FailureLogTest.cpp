// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/FailureLog.h"
#include "jobs/JobError.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace borvelin {
namespace {

using test::readFile;
using test::TestDirectory;
using test::writeFile;

std::vector<std::string> splitCrlf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the log does not end in CR LF";
    return lines;
}

TEST(FailureLog, ARunsEntriesReachTheLogWhenItCommits)
{
    TestDirectory directory;
    FailureLog log;
    log.logFailure(" ", "Failure:  is not a call or the buro is not followed by an address.");
    log.logFailure("Q1ABC        QSL via Q2MGR (for Q5XYZ",
                   "Failure: Bracket open is not followed by a bracket close.");
    EXPECT_FALSE(std::filesystem::exists("BORVELIN.LOG"));
    log.commit();
    auto lines = splitCrlf(readFile("BORVELIN.LOG"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_FALSE(lines[0].empty());
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], "Failure:  is not a call or the buro is not followed by an address.");
    EXPECT_EQ(lines[4], "Q1ABC        QSL via Q2MGR (for Q5XYZ");
    EXPECT_EQ(log.entries(), 2u);

    FailureLog next;
    next.logFailure("x", "Failure: y");
    next.commit();
    lines = splitCrlf(readFile("BORVELIN.LOG"));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[2], "Failure:  is not a call or the buro is not followed by an address.");
    EXPECT_EQ(lines[8], "Failure: y");
}

TEST(FailureLog, ARunThatDoesNotCommitOrRollsBackLeavesTheLogAsItWas)
{
    TestDirectory directory;
    writeFile("BORVELIN.LOG", "earlier\r\n");
    {
        FailureLog log;
        log.logFailure("x", "Failure: y");
    }
    EXPECT_EQ(readFile("BORVELIN.LOG"), "earlier\r\n");
    FailureLog log;
    log.logFailure("x", "Failure: y");
    log.commit();
    EXPECT_NE(readFile("BORVELIN.LOG"), "earlier\r\n");
    log.rollBack();
    EXPECT_EQ(readFile("BORVELIN.LOG"), "earlier\r\n");
    EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"BORVELIN.LOG"});
}

TEST(FailureLog, DateLineIsDateSpaceTime)
{
    TestDirectory directory;
    const std::string before = FailureLog::timestamp();
    FailureLog log;
    log.logFailure("x", "y");
    const std::string after = FailureLog::timestamp();
    log.commit();
    const std::string dateLine = splitCrlf(readFile("BORVELIN.LOG")).at(0);
    EXPECT_TRUE(dateLine == before || dateLine == after) << dateLine;
    EXPECT_NE(dateLine.find(' '), std::string::npos);
}

TEST(FailureLog, UnwritableLogIsAnError)
{
    TestDirectory directory;
    std::filesystem::create_directory("BORVELIN.LOG");
    EXPECT_THROW(FailureLog().logFailure("x", "y"), JobError);
}

TEST(FailureLog, DiskFullPartWayLeavesNoPartOfTheEntries)
{
    TestDirectory directory;
    const std::string earlier = "earlier entry\r\nQ1ABC\r\nFailure: x\r\n";
    writeFile("BORVELIN.LOG", earlier);
    FailureLog log;
    log.logFailure(std::string(5000, 'x'), "Failure: y");
    try {
        test::FileSizeLimit limit(earlier.size() + 100); // room for the date and part of the line
        log.commit();
        FAIL() << "wrote past the file size limit";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 61);
        EXPECT_EQ(error.fileName(), "BORVELIN.LOG");
    }
    EXPECT_EQ(readFile("BORVELIN.LOG"), earlier);
}

} // namespace
} // namespace borvelin
