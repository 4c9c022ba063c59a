// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::readFile;
using test::writeFile;

const std::vector<std::string> AllCommands = {"list25", "buro", "txt2ful", "ful2txt"};
const std::vector<std::string> Outputs = {"QSL.CSV", "QSLMGR.TXT", "QSLADM.TXT", "QSL.FUL", "QSL.TXT"};

// Bureau lines without the commas of an address, each longer than a stdio buffer, so
// that a log entry written in pieces could be split by the other program's entry.
std::vector<std::string> loggedLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        std::string name = "QFAIL";
        for (char digit : std::to_string(i))
            name += static_cast<char>('A' + (digit - '0'));
        lines.push_back(test::listLine(name, "QSL Bureau only ", 6000 + i));
    }
    return lines;
}

std::string messageFor(const std::string& line)
{
    return "Failure: " + line.substr(0, line.find(' ')) + " is not a call or the buro is not followed by an address.";
}

// Checks that the log is whole entries, each a logged line with its message; returns their number.
std::size_t countWholeEntries(const std::string& log, const std::set<std::string>& logged)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(log.substr(start, end - start));
    EXPECT_EQ(start, log.size()) << "the log ends inside a line";
    EXPECT_EQ(lines.size() % 3, 0u) << "the log ends inside an entry";
    for (std::size_t i = 0; i + 2 < lines.size(); i += 3) {
        const bool whole = lines[i].size() < 64 && lines[i].find("Failure") == std::string::npos &&
                           logged.count(lines[i + 1]) && lines[i + 2] == messageFor(lines[i + 1]);
        if (!whole) {
            ADD_FAILURE() << "entry " << i / 3 << " is not whole: " << lines[i].substr(0, 40) << " | "
                          << lines[i + 1].substr(0, 40) << " | " << lines[i + 2].substr(0, 40);
            return 0;
        }
    }
    return lines.size() / 3;
}

// Two programs converting in one directory at once: every output is whole (the two
// runs write the same bytes, so whole means equal to a run of its own), the log holds
// whole entries, and no temporary file is left.
TEST(ConcurrentRuns, TwoProgramsConvertingInOneDirectory)
{
    test::TestDirectory directory;
    constexpr int Rounds = 20;
    const auto failing = loggedLines(100);
    auto list = plainList(4000);
    for (std::size_t i = 0; i < failing.size(); ++i)
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(i * 40), failing[i]);
    const std::set<std::string> logged(failing.begin(), failing.end());

    fs::create_directory("alone");
    writeFile("alone/QSL.TXT", crlfLines(list));
    const CliResult alone = runCli("alone", AllCommands);
    ASSERT_EQ(alone.exitStatus, 0) << alone.errorText;
    ASSERT_EQ(readFile("alone/QSL.TXT"), crlfLines(list));

    fs::create_directory("shared");
    writeFile("shared/QSL.TXT", crlfLines(list));
    for (int round = 1; round <= Rounds; ++round) {
        CliProcess first("shared", AllCommands);
        CliProcess second("shared", AllCommands);
        const CliResult firstResult = first.wait();
        const CliResult secondResult = second.wait();
        ASSERT_EQ(firstResult.exitStatus, 0) << firstResult.errorText;
        ASSERT_EQ(secondResult.exitStatus, 0) << secondResult.errorText;
        for (const auto& output : Outputs)
            ASSERT_TRUE(readFile("shared/" + output) == readFile("alone/" + output)) << output << " in round " << round;
        ASSERT_EQ(countWholeEntries(readFile("shared/BORVELIN.LOG"), logged), 2 * failing.size() * round)
            << "in round " << round;
        ASSERT_TRUE(temporaryFiles("shared").empty());
    }
}

} // namespace
} // namespace borvelin::faults
