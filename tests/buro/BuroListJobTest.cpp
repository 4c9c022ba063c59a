// SPDX-License-Identifier: GPL-3.0-or-later
#include "buro/BuroListJob.h"
#include "jobs/JobError.h"
#include "support/JobTest.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace borvelin {
namespace {

using test::crlfLines;
using test::listLine;
using test::readFile;
using test::RecordingStatus;
using test::TestDirectory;
using test::writeFile;

class BuroListJobTest : public test::JobTest {
protected:
    std::string run(const std::string& qslTxt)
    {
        writeFile("QSL.TXT", qslTxt);
        BuroListJob(state, status).run();
        return readFile("QSLADM.TXT");
    }
};

TEST_F(BuroListJobTest, CopiesBureauLinesUnchangedInOrder)
{
    const std::string bureau1 = listLine("XYZLAND", "QSL Bureau, P.O. Box 9, Capital City, Country   ");
    const std::string station = listLine("Q1ABC", "QSL via Q2MGR");
    const std::string bureau2 = listLine("QX", "Bureau, Box 5");
    const std::string shortCall = listLine("Q1A", "QSL via Q2MGR");
    const std::string shifted = listLine("Q1A", " QSL via Q2MGR");
    EXPECT_EQ(run(crlfLines({bureau1, station, bureau2, shortCall, shifted})), crlfLines({bureau1, bureau2, shifted}));
    EXPECT_EQ(state.RecCount, 5u);
}

TEST_F(BuroListJobTest, ShortAndEmptyLinesComeOutAsOneBlankAndAreCounted)
{
    EXPECT_EQ(run("\r\nQ1ABC\r\n123456789012\r\n1234567890123 QSL via\r\n"), crlfLines({" ", " ", " "}));
    EXPECT_EQ(state.RecCount, 4u);
}

TEST_F(BuroListJobTest, LineWithoutASpaceIsJudgedByItsWholeLength)
{
    const std::string noDigits(20, 'X');
    const std::string withDigit = "XXXX1" + std::string(15, 'X');
    EXPECT_EQ(run(crlfLines({noDigits, withDigit})), crlfLines({noDigits}));
}

TEST_F(BuroListJobTest, CountsEveryLineWhateverIsSelected)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 600; ++i)
        lines.push_back(i % 3 == 0 ? listLine("XYZLAND", "Bureau, Box 1, City") : listLine("Q1ABC", "QSL via Q2MGR"));
    const std::string out = run(crlfLines(lines));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 200);
    EXPECT_EQ(status.textsOf(1), (std::vector<std::string>{"Records: 250", "Records: 500", "Records: 600"}));
}

TEST_F(BuroListJobTest, EmptyInputGivesEmptyOutput)
{
    EXPECT_EQ(run(""), "");
    EXPECT_EQ(status.textsOf(1), std::vector<std::string>{"Records: 0"});
}

TEST_F(BuroListJobTest, ShowsItsNamesBeforeOpeningAnyFile)
{
    writeFile("QSLADM.TXT", "kept\r\n");
    EXPECT_THROW(BuroListJob(state, status).run(), JobError);
    EXPECT_EQ(status.panelsWritten(), (std::vector<int>{4, 2, 3}));
    EXPECT_EQ(status.textsOf(3), std::vector<std::string>{"To: QSLADM.TXT"});
    EXPECT_EQ(readFile("QSLADM.TXT"), "kept\r\n");
}

} // namespace
} // namespace borvelin
