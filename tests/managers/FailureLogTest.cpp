// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/FailureLog.h"
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

TEST(FailureLog, AppendsThreeLineEntries)
{
    TestDirectory directory;
    FailureLog log;
    log.logFailure(" ", "Failure:  is not a call or the buro is not followed by an address.");
    auto lines = splitCrlf(readFile("BORVELIN.LOG"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[0].empty());
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], "Failure:  is not a call or the buro is not followed by an address.");

    FailureLog().logFailure("Q1ABC        QSL via Q2MGR (for Q5XYZ",
                            "Failure: Bracket open is not followed by a bracket close.");
    lines = splitCrlf(readFile("BORVELIN.LOG"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "Failure:  is not a call or the buro is not followed by an address.");
    EXPECT_EQ(lines[4], "Q1ABC        QSL via Q2MGR (for Q5XYZ");
}

TEST(FailureLog, DateLineIsDateSpaceTime)
{
    TestDirectory directory;
    const std::string before = FailureLog::timestamp();
    FailureLog().logFailure("x", "y");
    const std::string after = FailureLog::timestamp();
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

TEST(FailureLog, DiskFullPartWayLeavesNoPartOfTheEntry)
{
    TestDirectory directory;
    const std::string earlier = "earlier entry\r\nQ1ABC\r\nFailure: x\r\n";
    writeFile("BORVELIN.LOG", earlier);
    try {
        test::FileSizeLimit limit(earlier.size() + 100); // room for the date and part of the line
        FailureLog().logFailure(std::string(5000, 'x'), "Failure: y");
        FAIL() << "wrote past the file size limit";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 61);
        EXPECT_EQ(error.fileName(), "BORVELIN.LOG");
    }
    EXPECT_EQ(readFile("BORVELIN.LOG"), earlier);
}

} // namespace
} // namespace borvelin
