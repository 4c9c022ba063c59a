// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <algorithm>

namespace borvelin::faults {

namespace fs = std::filesystem;
using test::listLine;
using test::writeFile;

const std::vector<Job>& allJobs()
{
    static const std::vector<Job> jobs = {
        {"list25", "QSL.TXT", {"QSL.CSV", "QSLMGR.TXT"}},
        {"buro", "QSL.TXT", {"QSLADM.TXT"}},
        {"txt2ful", "QSL.TXT", {"QSL.FUL"}},
        {"ful2txt", "QSL.FUL", {"QSL.TXT"}},
        {"cluster", "QSL.TXT", {"QSLCLU.FUL"}},
    };
    return jobs;
}

std::string jobName(const ::testing::TestParamInfo<Job>& info)
{
    return info.param.command;
}

std::vector<std::string> plainList(int lines)
{
    static const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::vector<std::string> list;
    for (int i = 0; i < lines; ++i) {
        const std::string n = std::to_string(i);
        if (i % 2 == 0) {
            const std::string manager = "Q" + std::to_string(2 + i % 7) + "M" + letters.substr(i % 40 % 26, 1) + "G";
            list.push_back(listLine("Q" + std::to_string(1 + i % 9) + "A" + n, "QSL via " + manager + " ", 64));
        } else {
            std::string country = "QLAND";
            for (char digit : n)
                country += letters[static_cast<std::size_t>(digit - '0')];
            list.push_back(listLine(country, "QSL Bureau, P.O. Box " + n + ", Capital City", 64));
        }
    }
    return list;
}

std::vector<std::string> fulLines(const std::vector<std::string>& list)
{
    std::vector<std::string> lines;
    for (const auto& line : list) {
        if (line.size() <= 20)
            continue;
        lines.push_back("&&");
        lines.push_back(line.substr(0, line.find(' ')));
        lines.push_back(line);
    }
    return lines;
}

std::string fulRecords(const std::vector<std::string>& list)
{
    return test::crlfLines(fulLines(list));
}

FaultCount& faultCount()
{
    static FaultCount count;
    return count;
}

void FaultTest::writeEarlierFiles(int listLines)
{
    const auto list = plainList(listLines);
    writeFile(jobDirectory / "QSL.TXT", test::crlfLines(list));
    writeFile(jobDirectory / "QSL.FUL", fulRecords(list));
    writeFile(jobDirectory / "QSL.CSV", "earlier QSL.CSV\r\n");
    writeFile(jobDirectory / "QSLMGR.TXT", "Q9OLD\r\n");
    writeFile(jobDirectory / "QSLCLU.FUL", "Q9OLD\r\nQ9OLD        QSL via Q2MGR, earlier export\r\n&&\r\n");
    writeFile(jobDirectory / "QSL.BAK", "the backup an earlier FUL to TXT kept\r\n");
    writeFile(jobDirectory / "QSLADM.TXT", "QLANDB       earlier bureau, P.O. Box 1, Capital City\r\n");
    writeFile(jobDirectory / "BORVELIN.LOG",
              "01/01/25 00:00:00\r\n \r\nFailure:  is not a call or the buro is not followed by an address.\r\n");
}

void FaultTest::expectAsBefore(const fs::path& where, const DirectoryState& before)
{
    const std::vector<std::string> changed = DirectoryState::of(where).changedSince(before);
    const std::vector<std::string> temporaries = temporaryFiles(where);
    FaultCount& count = faultCount();
    ++count.failedRuns;
    count.filesCompared += static_cast<int>(before.entries.size());
    for (const auto& name : changed)
        if (std::find(temporaries.begin(), temporaries.end(), name) == temporaries.end())
            ++count.filesChanged;
    count.temporaryFilesLeft += static_cast<int>(temporaries.size());
    EXPECT_TRUE(changed.empty()) << "changed: " << ::testing::PrintToString(changed);
    EXPECT_TRUE(temporaries.empty()) << "left: " << ::testing::PrintToString(temporaries);
}

CliResult FaultTest::expectFailureChangesNothing(const std::vector<std::string>& commands, const ExpectedError& error,
                                                 const CliOptions& options)
{
    const DirectoryState before = DirectoryState::of(jobDirectory);
    const CliResult result = runCli(jobDirectory, commands, options);
    EXPECT_EQ(result.exitStatus, 1) << result.errorText;
    const std::string message = error.message(jobDirectory);
    EXPECT_NE(result.errorText.find(message), std::string::npos) << "expected \"" << message << "\" in:\n"
                                                                 << result.errorText;
    expectAsBefore(jobDirectory, before);
    return result;
}

} // namespace borvelin::faults
