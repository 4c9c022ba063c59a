// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/OutputFile.h"
#include "jobs/JobError.h"
#include "jobs/ReplaceKeepingBackup.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace borvelin {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TestDirectory;
using test::writeFile;

TEST(OutputFile, TargetKeepsItsOldBytesUntilCommit)
{
    TestDirectory directory;
    writeFile("QSL.FUL", "old contents\r\n");
    OutputFile output("QSL.FUL");
    output.writeLine("&&");
    output.writeLine("Q1ABC");
    output.close();
    EXPECT_EQ(readFile("QSL.FUL"), "old contents\r\n");
    output.commit();
    EXPECT_EQ(readFile("QSL.FUL"), "&&\r\nQ1ABC\r\n");
    EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"QSL.FUL"});
}

TEST(OutputFile, UncommittedOutputLeavesNoTrace)
{
    TestDirectory directory;
    writeFile("QSL.FUL", "old");
    {
        OutputFile output("QSL.FUL");
        for (int i = 0; i < 100000; ++i)
            output.writeLine("Q1ABC        QSL via Q2MGR");
    }
    EXPECT_EQ(readFile("QSL.FUL"), "old");
    EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"QSL.FUL"});
}

TEST(OutputFile, NewTargetAppearsOnlyAtCommit)
{
    TestDirectory directory;
    OutputFile output("QSLADM.TXT");
    output.writeLine("");
    EXPECT_FALSE(fs::exists("QSLADM.TXT"));
    output.commit();
    EXPECT_EQ(readFile("QSLADM.TXT"), "\r\n");
}

// Written as the job goes, and behind it on a thread of its own with two buffers.
class BothWrites : public ::testing::TestWithParam<OutputWrites> {
protected:
    TestDirectory directory;
};

INSTANTIATE_TEST_SUITE_P(OutputFile, BothWrites, ::testing::Values(OutputWrites::AsTheJobGoes, OutputWrites::Behind));

TEST_P(BothWrites, LinesLongerThanTheBufferAreWrittenWhole)
{
    const std::string longLine(1000, 'x');
    OutputFile output("out.txt", 64, GetParam());
    output.writeLine("a");
    output.writeLine(longLine);
    for (int i = 0; i < 100; ++i)
        output.writeLine("b" + std::to_string(i));
    output.writeLine(longLine);
    output.commit();
    std::string expected = "a\r\n" + longLine + "\r\n";
    for (int i = 0; i < 100; ++i)
        expected += "b" + std::to_string(i) + "\r\n";
    EXPECT_EQ(readFile("out.txt"), expected + longLine + "\r\n");
}

TEST_P(BothWrites, WriteFailureThrowsAndKeepsTheTarget)
{
    writeFile("QSL.CSV", "previous run\r\n");
    try {
        test::FileSizeLimit limit(4096);
        OutputFile output("QSL.CSV", 1024, GetParam());
        for (int i = 0; i < 1000; ++i)
            output.writeLine("Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;");
        output.commit();
        FAIL() << "wrote past the file size limit";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 61);
        EXPECT_EQ(error.fileName(), "QSL.CSV");
    }
    EXPECT_EQ(readFile("QSL.CSV"), "previous run\r\n");
    EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"QSL.CSV"});
}

TEST(OutputFile, DirectoryInTheTargetsPlaceCannotBeReplaced)
{
    TestDirectory directory;
    fs::create_directory("QSL.FUL");
    EXPECT_THROW(OutputFile output("QSL.FUL"), JobError);
    EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"QSL.FUL"});
}

TEST(OutputFile, WriteProtectedTargetIsPermissionDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    TestDirectory directory;
    writeFile("QSL.TXT", "keep");
    fs::permissions("QSL.TXT", fs::perms::owner_read);
    try {
        OutputFile output("QSL.TXT");
        FAIL() << "opened a write-protected target";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 70);
    }
    EXPECT_EQ(readFile("QSL.TXT"), "keep");
}

TEST(OutputFile, SymbolicLinkSurvivesAndItsTargetIsReplaced)
{
    TestDirectory directory;
    writeFile("real.txt", "old");
    fs::create_symlink("real.txt", "QSL.TXT");
    OutputFile output("QSL.TXT");
    output.writeLine("new");
    output.commit();
    EXPECT_TRUE(fs::is_symlink("QSL.TXT"));
    EXPECT_EQ(readFile("real.txt"), "new\r\n");
}

TEST(OutputFile, LinksAreFollowedToAFileThatDoesNotExistYet)
{
    // A chain of links, relative to the folder each stands in, whose last target is not there.
    TestDirectory directory;
    fs::create_directories("sub/deeper");
    fs::create_symlink("sub/link.csv", "QSL.CSV");
    fs::create_symlink("deeper/real.csv", "sub/link.csv");
    OutputFile output("QSL.CSV");
    output.writeLine("new");
    output.commit();
    EXPECT_TRUE(fs::is_symlink("QSL.CSV"));
    EXPECT_TRUE(fs::is_symlink("sub/link.csv"));
    EXPECT_EQ(readFile("sub/deeper/real.csv"), "new\r\n");
    EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"QSL.CSV", "sub"}));
}

TEST(OutputFile, TargetsThatCannotBeReplacedFailAtOnceAndLeaveNoTrace)
{
    TestDirectory directory;
    fs::create_symlink("QSL.CSV", "QSL.CSV"); // a link to itself
    ASSERT_EQ(mkfifo("QSL.FUL", 0644), 0);    // opening it for writing would wait for a reader
    for (const char* name : {"QSL.CSV", "QSL.FUL"}) {
        try {
            OutputFile output(name);
            FAIL() << "opened " << name;
        } catch (const JobError& error) {
            EXPECT_EQ(error.number(), 75) << error.what();
            EXPECT_EQ(error.fileName(), name);
        }
    }
    EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"QSL.CSV", "QSL.FUL"}));
    EXPECT_TRUE(fs::is_symlink("QSL.CSV"));
    EXPECT_TRUE(fs::is_fifo("QSL.FUL"));
}

// Keeping the backup fails here (a folder holds the backup's name): the old target stays
// in its place, the folder stays, and the new file is still the caller's.
TEST(ReplaceKeepingBackup, ALastStepThatFailsPutsTheOldTargetBack)
{
    TestDirectory directory;
    writeFile("QSL.TXT", "the list\r\n");
    writeFile(".new.tmp", "the new list\r\n");
    fs::create_directory("QSL.BAK");
    writeFile("QSL.BAK/inside", "keeps the folder from being replaced");
    EXPECT_THROW(replaceKeepingBackup(".new.tmp", "QSL.TXT", "QSL.BAK", "QSL.TXT", "QSL.BAK"), JobError);
    EXPECT_EQ(readFile("QSL.TXT"), "the list\r\n");
    EXPECT_TRUE(fs::is_directory("QSL.BAK"));
    EXPECT_EQ(readFile(".new.tmp"), "the new list\r\n");
    EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{".new.tmp", "QSL.BAK", "QSL.TXT"}));
}

} // namespace
} // namespace borvelin
