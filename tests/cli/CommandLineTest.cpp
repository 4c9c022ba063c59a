// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"
#include "cli/TerminalStatus.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
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

CliResult runCli(std::vector<std::string> arguments, bool terminal = false, const std::string& input = {})
{
    arguments.insert(arguments.begin(), "borvelin-cli");
    std::vector<const char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(argument.c_str());
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), in, out, err, terminal);
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
    EXPECT_EQ(result.err,
              "Current Dir: " + cwd + "\nFrom: QSL.TXT\nTo: QSL.FUL\nRecords: 2\n" +
                  "borvelin-cli: txt2ful: 2 lines read; QSL.FUL 6 lines; 0 short lines left out\n" +
                  "Current Dir: " + cwd + "\nFrom: QSL.TXT\nTo: QSLADM.TXT\nRecords: 2\n" +
                  "borvelin-cli: buro: 2 lines read; QSLADM.TXT 1 line\n" + "Current Dir: " + cwd +
                  "\nFrom: QSL.FUL\nTo: QSL.TXT\nRecords: 2\n" +
                  "borvelin-cli: ful2txt: 6 lines read; QSL.TXT 2 lines; the old QSL.TXT kept as QSL.BAK\n");
    EXPECT_TRUE(result.out.empty());
}

TEST_F(CommandLineTest, EveryList25CountsAfresh)
{
    for (const int lines : {25, 13}) {
        writeFile("QSL.TXT", crlfLines(std::vector<std::string>(lines, listLine("Q1ABC", "QSL via Q2MGR"))));
        EXPECT_EQ(runCli({"list25"}).status, 0);
        const std::string once = readFile("QSLMGR.TXT");
        const CliResult twice = runCli({"list25", "list25"});
        EXPECT_EQ(twice.status, 0) << twice.err;
        EXPECT_EQ(readFile("QSLMGR.TXT"), once) << lines << " lines";
        EXPECT_NE(twice.err.find("Rec: " + std::to_string(lines) + " 1\nTo: QSLMGR.TXT\n"), std::string::npos);
    }
}

TEST_F(CommandLineTest, QuietLeavesOnlyTheSummary)
{
    writeFile("QSL.TXT", crlfLines({listLine("Q1ABC", "QSL via Q2MGR"), listLine("XYZLAND", "QSL Bureau only")}));
    for (const char* quiet : {"-q", "--quiet"}) {
        const CliResult result = runCli({quiet, "list25"}, true);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "borvelin-cli: list25: 2 lines read; QSL.CSV 2 lines, QSLMGR.TXT 0 lines; "
                              "0 managers with 25 or more records; 1 entry logged\n");
    }
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
    // The error names the file with its folder, so that the user sees where it was looked for.
    const std::string full = (directory.path() / "QSL.FUL").string();
    EXPECT_NE(result.err.find("borvelin-cli: ful2txt: error 53: File not found: " + full + "\n"), std::string::npos)
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

TEST_F(CommandLineTest, CommandsThatNameAFileTakeItAndTheirOption)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"import"}, {"import", "--merge"}, {"adif"}}) {
        const CliResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2) << arguments.back();
        EXPECT_NE(result.err.find("needs"), std::string::npos) << result.err;
    }
    writeFile("rows.csv", "Q5XYZ;Q6MGR;2024-05\n");
    const CliResult result = runCli({"import", "--merge", "rows.csv", "cluster"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile("QSL.TXT"),
              crlfLines({listLine("Q1ABC", "QSL via Q2MGR"), listLine("XYZLAND", "Bureau, Box 9, City"),
                         listLine("Q5XYZ", "QSL via Q6MGR ")}));
    EXPECT_TRUE(fs::exists("QSLCLU.FUL"));
    writeFile("log.adi", "<EOH>\n<CALL:7>Q5XYZ/P <EOR>\n");
    const CliResult filled = runCli({"adif", "log.adi"});
    EXPECT_EQ(filled.status, 0) << filled.err;
    EXPECT_EQ(readFile("log.adi"), "<EOH>\n<CALL:7>Q5XYZ/P <QSL_VIA:5>Q6MGR<EOR>\n");
}

// Import takes its files up to the next command or option; history prints what another
// user imports, the export's bytes.
TEST_F(CommandLineTest, ImportTakesSeveralFilesAndHistoryPrintsTheHistory)
{
    writeFile("a.csv", "Q5XYZ;Q6MGR;2024-05\n");
    writeFile("b.csv", "Q5XYZ;Q7OLD;2019-01\n");
    const CliResult imported = runCli({"import", "a.csv", "b.csv", "-q", "history"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(readFile("QSL.TXT"), crlfLines({listLine("Q5XYZ", "QSL via Q6MGR (Ex-Q7OLD)")}));
    const std::string history = crlfLines({"Q5XYZ;Q7OLD;2019-01;b.csv", "Q5XYZ;Q6MGR;2024-05;a.csv"});
    EXPECT_EQ(readFile("QSLHIST.CSV"), history);
    EXPECT_EQ(imported.out, "CALL;MANAGER;DATE;SOURCE\r\n" + history);
    EXPECT_EQ(runCli({"import", "a.csv", "c.csv"}).status, 1) << "c.csv is missing";
    fs::remove("QSLHIST.CSV");
    const CliResult missing = runCli({"history"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("error 53"), std::string::npos) << missing.err;
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

TEST_F(CommandLineTest, OnATerminalProgressIsRewrittenInPlaceWithTheShareRead)
{
    std::vector<std::string> lines(600, listLine("Q1ABC", "QSL via Q2MGR"));
    writeFile("QSL.TXT", crlfLines(lines));
    const CliResult result = runCli({"txt2ful"}, true);
    EXPECT_EQ(result.status, 0);
    const std::size_t from = result.err.find("To: QSL.FUL\n") + 12;
    const std::size_t to = result.err.find("borvelin-cli: txt2ful:");
    ASSERT_LT(from, to) << result.err;
    const std::string progress = result.err.substr(from, to - from);
    // Each rewrite starts at the line's beginning; how many there are depends on the
    // machine's speed, but the last one shows the whole count and the whole input read.
    EXPECT_EQ(progress.substr(0, 13), "\rRecords: 250") << progress;
    const std::string ending = "\rRecords: 600  100%\x1b[K\n";
    ASSERT_GE(progress.size(), ending.size()) << progress;
    EXPECT_EQ(progress.substr(progress.size() - ending.size()), ending) << progress;
    EXPECT_EQ(std::count(progress.begin(), progress.end(), '\n'), 1) << progress;
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

TEST_F(CommandLineTest, LookupExitsWithZeroOnlyWhenEveryCallIsFound)
{
    const CliResult found = runCli({"lookup", "q1abc/p", "XYZLAND"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "q1abc/p\n  line 1: QSL via the manager Q2MGR\n    " + listLine("Q1ABC", "QSL via Q2MGR") +
                             "\nXYZLAND\n  line 2: bureau: Bureau, Box 9, City\n    " +
                             listLine("XYZLAND", "Bureau, Box 9, City") + "\n");
    EXPECT_EQ(found.err, "borvelin-cli: lookup: 2 lines read; 2 calls found; 0 calls not found\n");
    const CliResult missing = runCli({"lookup", "Q1ABC", "Q9ZZZ"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("Q9ZZZ: not in QSL.TXT\n"), std::string::npos) << missing.out;
    EXPECT_EQ(runCli({"lookup", "Q1ABC", "list25"}).status, 1) << "every argument after lookup is a call";
}

TEST_F(CommandLineTest, LookupWithoutCallsReadsThemFromStandardInput)
{
    EXPECT_EQ(runCli({"lookup"}, false, "Q1ABC\r\n\n  QA/q1abc \n").status, 0);
    const CliResult result = runCli({"lookup"}, false, "Q1ABC\nQ9ZZZ\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("Q9ZZZ: not in QSL.TXT"), std::string::npos) << result.out;
}

TEST_F(CommandLineTest, CheckWritesItsFindingsAndPrintsTheirCountsPerCode)
{
    writeFile("QSL.TXT", crlfLines({listLine("Q1ABC", "QSL via Q1ABC"), "XYZLAND"}));
    const CliResult result = runCli({"check"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile("QSLCHK.CSV").substr(0, 12), "1;note;C8;Q1");
    EXPECT_NE(result.err.find("To: QSLCHK.CSV\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("\nFindings: C1 1, C8 1, C13 1\n"), std::string::npos) << result.err;
    // The totals of each severity, and what each code means.
    EXPECT_NE(result.err.find("borvelin-cli: check: 2 lines read; QSLCHK.CSV 3 lines; 2 errors; 0 warnings; 1 note; "
                              "1 finding C1 (a line List of 25+ logs); 1 finding C8 (a station listed as its own "
                              "manager); 1 finding C13 (a bureau line without an address)\n"),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(fs::exists("BORVELIN.LOG"));
}

} // namespace
} // namespace borvelin
