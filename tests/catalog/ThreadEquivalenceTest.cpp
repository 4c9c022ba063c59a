// SPDX-License-Identifier: GPL-3.0-or-later
// Every command of the catalog gives the same bytes on 1, 2 and 4 threads: its outputs,
// its log entries in their order, and what it leaves alone.
#include "catalog/Catalog.h"
#include "support/GeneratedLists.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>

namespace borvelin {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// Every file of the current directory, the date lines of the failure log left out.
Files filesHere()
{
    static const std::regex dateLine("^[^\r\n]*[0-9][0-9]:[0-9][0-9]:[0-9][0-9]\r\n", std::regex::multiline);
    Files files;
    for (const auto& entry : fs::directory_iterator("."))
        files[entry.path().filename().string()] = test::readFile(entry.path());
    if (files.count("BORVELIN.LOG"))
        files["BORVELIN.LOG"] = std::regex_replace(files["BORVELIN.LOG"], dateLine, "");
    return files;
}

Files runIn(const Files& before, const Command& command, const CommandArguments& arguments, unsigned threads)
{
    test::TestDirectory directory;
    for (const auto& [name, bytes] : before)
        test::writeFile(name, bytes);
    JobState state;
    test::RecordingStatus status;
    JobOptions options;
    options.threads = threads;
    command.run({state, status, diskFiles(), arguments, options});
    return filesHere();
}

// A route history of some of the list's stations from two sources, months with two
// managers among them, around the log's dates.
std::string historyOf(const std::string& list)
{
    std::string history;
    const std::vector<std::string> lines = test::linesOf(list);
    for (std::size_t index = 0; index < lines.size(); index += 5) {
        const std::string call = lines[index].substr(0, lines[index].find(' '));
        const std::string month = std::to_string(2015 + index % 13) + "-0" + std::to_string(1 + index % 9);
        history += call + ";Q" + std::to_string(index % 7) + "MGR;" + month + ";A.CSV\n";
        history +=
            call + ";Q" + std::to_string(index % 3) + "MGR;" + month + "-1" + std::to_string(index % 10) + ";B.CSV\n";
    }
    return history;
}

// A list of every kind of line, a list of keyword pieces, the rows to import, a log and
// a route history.
std::vector<Files> startingFolders()
{
    std::vector<Files> folders;
    for (const auto& list : {test::generatedList(40000, 3000, 21), test::generatedList(5000, 30, 22)}) {
        if (list.empty())
            return {};
        test::TestDirectory directory;
        test::writeFile("QSL.TXT", list);
        folders.push_back({{"QSL.TXT", list},
                           {"IMPORT.CSV", test::generatedImport(30000, 23)},
                           {"LOG.adi", test::generatedLog(4000, (directory.path() / "QSL.TXT").string(), 24)},
                           {"QSLHIST.CSV", historyOf(list)},
                           {"BORVELIN.LOG", "earlier entries\r\n"}});
    }
    std::string pieces;
    for (const std::string& line : test::keywordPieceLines(20000, 25))
        pieces += "Q" + std::to_string(pieces.size() % 97) + "AB" + std::string(8, ' ') + line + "\r\n";
    folders.push_back({{"QSL.TXT", pieces},
                       {"IMPORT.CSV", "CALL;MANAGER;DATE\nQ1ABC;Q2MGR;2024-01\n"},
                       {"QSLHIST.CSV", historyOf(pieces)}});
    return folders;
}

// The first file that differs, by name, or nothing.
std::string firstDifference(const Files& a, const Files& b)
{
    for (const auto& [name, bytes] : a)
        if (!b.count(name) || b.at(name) != bytes)
            return name;
    for (const auto& [name, bytes] : b)
        if (!a.count(name))
            return name;
    return {};
}

TEST(ThreadEquivalence, EveryCommandGivesTheSameFilesOnOneTwoAndFourThreads)
{
    const std::vector<Files> folders = startingFolders();
    if (folders.empty())
        GTEST_SKIP() << "the generators were not built";
    for (Files folder : folders) {
        // A FUL list for the conversion back, as TXT to FUL writes it.
        folder["QSL.FUL"] = runIn(folder, commandNamed("txt2ful"), {}, 1)["QSL.FUL"];
        for (const Command& command : commands()) {
            if (!command.run)
                continue; // lookup reads on one thread
            CommandArguments arguments;
            arguments.file = command.id == "adif" ? "LOG.adi" : command.id == "history" ? "HISTORY.CSV" : "IMPORT.CSV";
            for (const bool merge : {false, true}) {
                arguments.merge = merge;
                if (merge && command.id != "import")
                    continue;
                if (command.id == "adif" && !folder.count("LOG.adi"))
                    continue;
                const Files one = runIn(folder, command, arguments, 1);
                for (const unsigned threads : {2u, 4u})
                    EXPECT_EQ(firstDifference(runIn(folder, command, arguments, threads), one), "")
                        << command.id << " on " << threads << " threads";
            }
        }
    }
}

} // namespace
} // namespace borvelin
