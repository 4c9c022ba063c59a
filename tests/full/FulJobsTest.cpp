// SPDX-License-Identifier: GPL-3.0-or-later
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "jobs/BackupGenerations.h"
#include "jobs/DiskStore.h"
#include "jobs/JobError.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace borvelin {
namespace {

using test::crlfLines;
using test::listLine;
using test::readFile;
using test::RecordingStatus;
using test::TestDirectory;
using test::writeFile;

class FulJobs : public ::testing::Test {
protected:
    std::string txtToFul(const std::string& qslTxt)
    {
        writeFile("QSL.TXT", qslTxt);
        TxtToFulJob(state, status).run();
        return readFile("QSL.FUL");
    }
    std::string fulToTxt(const std::string& qslFul)
    {
        writeFile("QSL.FUL", qslFul);
        FulToTxtJob(state, status).run();
        return readFile("QSL.TXT");
    }

    TestDirectory directory;
    JobState state;
    RecordingStatus status;
};

TEST_F(FulJobs, TxtToFulWritesThreeLinesPerLongLine)
{
    const std::string twenty(20, 'x');
    const std::string twentyOne = "Q1ABC" + std::string(16, ' ');
    const std::string list = listLine("QA/Q1ABC", "QSL via Q2MGR");
    struct Case {
        const char* name;
        std::string line;
        std::string fulRecord;
    };
    const std::vector<Case> cases = {
        {"20 bytes: no record", twenty, ""},
        {"21 bytes: a record; the padding stays", twentyOne, crlfLines({"&&", "Q1ABC", twentyOne})},
        {"an ordinary line", list, crlfLines({"&&", "QA/Q1ABC", list})},
        {"leading space: empty call line", " " + list, crlfLines({"&&", "", " " + list})},
        {"a tab does not end the call", "Q1ABC\tQSL via Q2MGR x",
         crlfLines({"&&", "Q1ABC\tQSL", "Q1ABC\tQSL via Q2MGR x"})},
        {"no space: the whole line is the call", std::string(25, 'Q'),
         crlfLines({"&&", std::string(25, 'Q'), std::string(25, 'Q')})},
        {"empty line: no record", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(txtToFul(c.line + "\r\n"), c.fulRecord) << c.name;
}

TEST_F(FulJobs, TxtToFulCountsRecordsNotLines)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i) {
        lines.push_back(listLine("Q" + std::to_string(i) + "AB", "QSL via Q2MGR"));
        lines.push_back("short");
    }
    const std::string ful = txtToFul(crlfLines(lines));
    EXPECT_EQ(std::count(ful.begin(), ful.end(), '\n'), 3000);
    EXPECT_EQ(status.textsOf(1), (std::vector<std::string>{"Records: 250", "Records: 500", "Records: 750",
                                                           "Records: 1000", "Records: 1000"}));
}

TEST_F(FulJobs, FulToTxtKeepsLinesLongerThan20Bytes)
{
    const std::string twentyOne(21, 'y');
    EXPECT_EQ(fulToTxt(crlfLines({"&&", "Q1ABC", std::string(20, 'x'), twentyOne})), crlfLines({twentyOne}));
    // No markers needed: every long line is taken wherever it stands.
    EXPECT_EQ(fulToTxt("first long line of the list\nsecond long line, no marker\n"),
              crlfLines({"first long line of the list", "second long line, no marker"}));
    EXPECT_EQ(fulToTxt(""), "");
    EXPECT_EQ(status.textsOf(1).back(), "Records: 0");
}

TEST_F(FulJobs, TheTwoConversionsUndoEachOther)
{
    std::vector<std::string> listLines;
    for (int i = 0; i < 1000; ++i)
        listLines.push_back(listLine("Q" + std::to_string(i % 10) + "A" + std::string(1, char('A' + i % 26)),
                                     "QSL via Q2MGR   ", 20 + i % 40));
    const std::string originalTxt = crlfLines(listLines);
    const std::string ful = txtToFul(originalTxt);
    const std::uint64_t fulCount = state.RecCount;
    EXPECT_EQ(fulToTxt(ful), originalTxt);
    EXPECT_EQ(state.RecCount, fulCount);
    EXPECT_EQ(state.RecCount, 1000u);
    EXPECT_EQ(txtToFul(readFile("QSL.TXT")), ful);
}

// The list FUL to TXT replaces is the user's master file: it is kept as QSL.BAK, an older
// backup becoming an older one beside it, also when QSL.TXT is a link to a file on
// another disk, where no hard link can reach.
TEST_F(FulJobs, FulToTxtKeepsTheReplacedListAsQslBak)
{
    namespace fs = std::filesystem;
    const std::string ful = crlfLines({"&&", "Q1ABC", listLine("Q1ABC", "QSL via Q2NEW ")});
    const fs::path otherDisk = fs::path("/dev/shm") / ("borvelin-" + directory.path().filename().string());
    struct Case {
        const char* name;
        std::function<fs::path()> placeList; // where the old list's bytes lie
    };
    const std::vector<Case> cases = {
        {"plain file", [] { return fs::path("QSL.TXT"); }},
        {"link to another disk",
         [&] {
             fs::create_symlink(otherDisk, "QSL.TXT");
             return otherDisk;
         }},
    };
    for (const Case& c : cases) {
        if (c.name != cases.front().name && !fs::is_directory("/dev/shm"))
            continue;
        fs::remove("QSL.TXT");
        const fs::path list = c.placeList();
        writeFile(list, "the old list\r\n");
        writeFile("QSL.BAK", "an older backup\r\n");
        EXPECT_EQ(fulToTxt(ful), crlfLines({listLine("Q1ABC", "QSL via Q2NEW ")})) << c.name;
        EXPECT_EQ(readFile("QSL.BAK"), "the old list\r\n") << c.name;
        const auto older = backups::olderOf(diskStore(), "QSL.BAK");
        ASSERT_EQ(older.size(), 1u) << c.name;
        EXPECT_EQ(readFile(older[0]), "an older backup\r\n") << c.name;
        EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{older[0], "QSL.BAK", "QSL.FUL", "QSL.TXT"}))
            << c.name;
        fs::remove(older[0]);
        fs::remove(otherDisk);
    }
    // No list yet: nothing to keep, and an older backup stays.
    fs::remove("QSL.TXT");
    fulToTxt(ful);
    EXPECT_EQ(readFile("QSL.BAK"), "the old list\r\n");
}

TEST_F(FulJobs, FailedFulToTxtLeavesTheListAndItsBackupAsTheyWere)
{
    std::string bigFul;
    for (int i = 0; i < 100000; ++i)
        bigFul += listLine("Q" + std::to_string(i) + "A", "QSL via Q2MGR ") + "\r\n";
    writeFile("QSL.FUL", bigFul);
    writeFile("QSL.TXT", "the list\r\n");
    writeFile("QSL.BAK", "the backup\r\n");
    {
        test::FileSizeLimit limit(1u << 20);
        EXPECT_THROW(FulToTxtJob(state, status).run(), JobError);
    }
    EXPECT_EQ(readFile("QSL.TXT"), "the list\r\n");
    EXPECT_EQ(readFile("QSL.BAK"), "the backup\r\n");
    EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"QSL.BAK", "QSL.FUL", "QSL.TXT"}));
}

TEST_F(FulJobs, LongCallLineComesBackAsALineOfItsOwn)
{
    const std::string longCall(22, 'Q');
    const std::string line = longCall + " QSL via Q2MGR";
    EXPECT_EQ(fulToTxt(txtToFul(line)), crlfLines({longCall, line}));
}

} // namespace
} // namespace borvelin
