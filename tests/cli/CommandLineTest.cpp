// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"
#include "cli/TerminalStatus.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

namespace borvelin {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::listLine;
using test::readFile;
using test::TestDirectory;
using test::writeFile;

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult runCli(std::vector<std::string> arguments, bool terminal = false)
{
    arguments.insert(arguments.begin(), "borvelin-cli");
    std::vector<const char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(argument.c_str());
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), out, err, terminal);
    return {status, out.str(), err.str()};
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFile("QSL.TXT",
                  crlfLines({listLine("Q1ABC", "QSL via Q2MGR"), listLine("XYZLAND", "Bureau, Box 9, City")}));
    }
    TestDirectory directory;
};

TEST_F(CommandLineTest, RunsCommandsInTheGivenOrder)
{
    const CliResult result = runCli({"txt2ful", "buro", "ful2txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile("QSLADM.TXT"), crlfLines({listLine("XYZLAND", "Bureau, Box 9, City")}));
    EXPECT_EQ(readFile("QSL.TXT"),
              crlfLines({listLine("Q1ABC", "QSL via Q2MGR"), listLine("XYZLAND", "Bureau, Box 9, City")}));
    const std::string cwd = fs::current_path().string();
    EXPECT_EQ(result.err, "Current Dir: " + cwd +
                              "\nFrom: QSL.TXT\nTo: QSL.FUL\nRecords: 2\n"
                              "Current Dir: " +
                              cwd +
                              "\nFrom: QSL.TXT\nTo: QSLADM.TXT\nRecords: 2\n"
                              "Current Dir: " +
                              cwd + "\nFrom: QSL.FUL\nTo: QSL.TXT\nRecords: 2\n");
    EXPECT_TRUE(result.out.empty());
}

TEST_F(CommandLineTest, List25CommandsOfOneInvocationShareTheTally)
{
    writeFile("QSL.TXT", crlfLines(std::vector<std::string>(13, listLine("Q1ABC", "QSL via Q2MGR"))));
    EXPECT_EQ(runCli({"list25"}).status, 0);
    EXPECT_EQ(readFile("QSLMGR.TXT"), "");
    const CliResult twice = runCli({"list25", "list25"});
    EXPECT_EQ(twice.status, 0) << twice.err;
    EXPECT_EQ(readFile("QSLMGR.TXT"), crlfLines({"Q2MGR"}));
    EXPECT_NE(twice.err.find("Rec: 13 1\nTo: QSLMGR.TXT\n"), std::string::npos) << twice.err;
}

TEST_F(CommandLineTest, WorksInTheDirectoryGivenWithC)
{
    fs::create_directory("other");
    writeFile("other/QSL.TXT", crlfLines({listLine("QX", "Bureau, Box 5")}));
    const CliResult result = runCli({"-C", "other", "buro"});
    fs::current_path(directory.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile("other/QSLADM.TXT"), crlfLines({listLine("QX", "Bureau, Box 5")}));
    EXPECT_FALSE(fs::exists("QSLADM.TXT"));
}

TEST_F(CommandLineTest, StopsAtTheFirstFailingCommand)
{
    const CliResult result = runCli({"buro", "ful2txt", "txt2ful"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("borvelin-cli: ful2txt: error 53: File not found: QSL.FUL\n"), std::string::npos)
        << result.err;
    EXPECT_TRUE(fs::exists("QSLADM.TXT"));
    EXPECT_FALSE(fs::exists("QSL.FUL")) << "a command after the failure ran";
}

TEST_F(CommandLineTest, UsageErrorsRunNothing)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"buro", "nonsense"}, {}, {"-C"}}) {
        const CliResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("--help"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists("QSLADM.TXT"));
}

TEST_F(CommandLineTest, MissingDirectoryIsAnError)
{
    const CliResult result = runCli({"-C", "no-such-dir", "buro"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("error 76"), std::string::npos) << result.err;
}

TEST_F(CommandLineTest, HelpAndVersion)
{
    const CliResult help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"list25", "buro", "txt2ful", "ful2txt", "-C DIR"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    const CliResult version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "borvelin-cli 1.0.1\n");
}

TEST_F(CommandLineTest, OnATerminalProgressIsRewrittenInPlace)
{
    std::vector<std::string> lines(600, listLine("Q1ABC", "QSL via Q2MGR"));
    writeFile("QSL.TXT", crlfLines(lines));
    const CliResult result = runCli({"txt2ful"}, true);
    EXPECT_EQ(result.status, 0);
    const std::string progress = result.err.substr(result.err.find("To: QSL.FUL\n") + 12);
    // 500 is shown only if the machine took longer than the rewrite interval to get there.
    EXPECT_TRUE(progress == "\rRecords: 250\x1b[K\rRecords: 600\x1b[K\n" ||
                progress == "\rRecords: 250\x1b[K\rRecords: 500\x1b[K\rRecords: 600\x1b[K\n")
        << progress;
}

// On a terminal the progress line is rewritten in place, elsewhere a line is added; both
// no more often than their interval, and both end with the latest text.
TEST(TerminalStatus, ShowsProgressNoMoreOftenThanTheIntervalButEndsWithTheLatest)
{
    struct Case {
        bool inPlace;
        std::chrono::milliseconds interval;
        std::string firstShown;
        std::string ending;
    };
    for (const Case& c :
         {Case{true, cli::TerminalStatus::RewriteInterval, "\rRec: 1\x1b[K", "\rRec: 20000\x1b[K\nTo: QSLMGR.TXT\n"},
          Case{false, cli::TerminalStatus::LineInterval, "Rec: 1\n", "\nRec: 20000\nTo: QSLMGR.TXT\n"}}) {
        std::ostringstream err;
        cli::TerminalStatus status(err, c.inPlace);
        const auto start = std::chrono::steady_clock::now();
        for (int count = 1; count <= 20000; ++count)
            status.setPanelText(ProgressPanel, "Rec: " + std::to_string(count));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        status.setPanelText(ToPanel, "To: QSLMGR.TXT");

        const std::string shown = err.str();
        std::size_t progressShown = 0;
        for (auto at = shown.find("Rec: "); at != std::string::npos; at = shown.find("Rec: ", at + 1))
            ++progressShown;
        EXPECT_LE(progressShown, static_cast<std::size_t>(elapsed / c.interval) + 2) << c.inPlace;
        EXPECT_EQ(shown.substr(0, c.firstShown.size()), c.firstShown);
        ASSERT_GE(shown.size(), c.ending.size());
        EXPECT_EQ(shown.substr(shown.size() - c.ending.size()), c.ending);
    }
}

} // namespace
} // namespace borvelin
