// SPDX-License-Identifier: GPL-3.0-or-later
// kill -9 at random moments of every writing command, then the next command in the
// folder (a lookup, which writes nothing of its own): every file must then be exactly
// as before the killed run or exactly as an uninterrupted run leaves it, the files of
// one set all one or all the other, the failure log without a torn entry, and no file
// of the program's own left behind.
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <thread>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::listLine;
using test::readFile;
using test::writeFile;
using Files = std::map<std::string, std::string>;

struct WritingCommand {
    std::vector<std::string> arguments;
    // The files put in place together: all old or all new after a kill.
    std::vector<std::string> set;
};

const std::vector<WritingCommand>& writingCommands()
{
    static const std::vector<WritingCommand> commands = {
        {{"list25"}, {"QSL.CSV", "QSLMGR.TXT", "BORVELIN.LOG"}},
        {{"buro"}, {"QSLADM.TXT"}},
        {{"txt2ful"}, {"QSL.FUL"}},
        {{"ful2txt"}, {"QSL.TXT", "QSL.BAK"}},
        {{"check"}, {"QSLCHK.CSV"}},
        {{"cluster"}, {"QSLCLU.FUL"}},
        {{"import", "IMPORT.CSV"}, {"QSL.TXT", "QSL.BAK", "BORVELIN.LOG"}},
        {{"import", "--merge", "IMPORT.CSV"}, {"QSL.TXT", "QSL.BAK", "BORVELIN.LOG"}},
        {{"adif", "LOG.adi"}, {"LOG.adi", "LOG.adi.bak", "QSLVIA.CSV"}},
    };
    return commands;
}

std::string commandName(const WritingCommand& command)
{
    std::string name;
    for (const auto& argument : command.arguments)
        name += (name.empty() ? "" : " ") + argument;
    return name;
}

// The folder before the run: a list with lines List of 25+ logs, every output an earlier
// run left, and backups, all with one time of change, so that the older backup a run
// makes has the same name in every round.
Files earlierFiles()
{
    auto list = plainList(20000);
    // Bureau lines without the commas of an address, which List of 25+ logs: their names
    // hold no digit, else they would be calls.
    for (std::size_t at = 0; at < list.size(); at += 200) {
        std::string name = "QFAIL";
        for (const char digit : std::to_string(at))
            name += static_cast<char>('A' + (digit - '0'));
        list[at] = listLine(name, "QSL Bureau only " + std::string(2000, 'x'));
    }
    std::string importRows;
    std::string log = "Log of Q9ME\r\n<ADIF_VER:5>3.1.0<EOH>\r\n";
    for (int i = 0; i < 20000; ++i) {
        const std::string call = "Q" + std::to_string(1 + i % 9) + "A" + std::to_string(2 * i);
        importRows += call + ";Q7NEW;2024-0" + std::to_string(1 + i % 9) + "\n";
        if (i % 3 == 0)
            importRows += "Q#BAD" + std::to_string(i) + ";Q7NEW;2024-01\n";
        log += "<CALL:" + std::to_string(call.size()) + ">" + call + "<QSO_DATE:8>20240501<EOR>\r\n";
    }
    return {
        {"QSL.TXT", crlfLines(list)},
        {"QSL.FUL", fulRecords(plainList(15000))}, // another list than QSL.TXT, so that both conversions change a file
        {"QSL.BAK", "the backup an earlier run kept\r\n"},
        {"QSL.CSV", "earlier QSL.CSV\r\n"},
        {"QSLMGR.TXT", "Q9OLD\r\n"},
        {"QSLADM.TXT", "earlier QSLADM.TXT\r\n"},
        {"QSLCHK.CSV", "earlier QSLCHK.CSV\r\n"},
        {"QSLCLU.FUL", "earlier QSLCLU.FUL\r\n"},
        {"QSLVIA.CSV", "earlier QSLVIA.CSV\r\n"},
        {"BORVELIN.LOG", "01/01/25 00:00:00\r\nQ0OLD\r\nFailure: an earlier entry\r\n"},
        {"IMPORT.CSV", importRows},
        {"LOG.adi", log},
        {"LOG.adi.bak", "the log an earlier fill kept"},
    };
}

void lay(const fs::path& folder, const Files& files)
{
    fs::remove_all(folder);
    fs::create_directory(folder);
    static const auto aDayAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (const auto& [name, bytes] : files) {
        writeFile(folder / name, bytes);
        fs::last_write_time(folder / name, aDayAgo);
    }
}

// The files as a run leaves them, the log's date lines (which differ from run to run)
// made alike; hidden files apart.
Files filesIn(const fs::path& folder, std::vector<std::string>& hidden)
{
    static const std::regex dateLine(R"((^|\r\n)\d\d/\d\d/\d\d \d\d:\d\d:\d\d\r\n)");
    Files files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.front() == '.') {
            hidden.push_back(name);
            continue;
        }
        std::string bytes = readFile(entry.path());
        if (name == "BORVELIN.LOG")
            bytes = std::regex_replace(bytes, dateLine, "$1DATE\r\n");
        files[name] = bytes;
    }
    return files;
}

// Whole entries only: three lines each, ending in CR LF.
bool logIsWhole(const std::string& log)
{
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = log.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    return log.ends_with("\r\n") && lines % 3 == 0;
}

// Until the killed run's journal is there, or the run has had time enough to end.
void waitForTheJournal(double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!fs::exists("killed/.BORVELIN.journal") && std::chrono::steady_clock::now() < end)
        std::this_thread::yield();
}

struct Tally {
    int killPoints = 0;
    int killedBeforeTheEnd = 0;
    int journalsCompleted = 0; // kills that left a set half in place, for the next command
    int filesOld = 0;
    int filesNew = 0;
};

std::uint32_t harnessSeed()
{
    if (const char* given = std::getenv("BORVELIN_KILL_SEED"))
        return static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10));
    return std::random_device{}();
}

int killPointsPerCommand()
{
    const char* given = std::getenv("BORVELIN_KILL_POINTS");
    return given ? std::max(1, std::atoi(given)) : 25;
}

TEST(KillHarness, EveryFileIsOldOrNewAfterAKillAndTheNextCommand)
{
    test::TestDirectory directory;
    const std::uint32_t seed = harnessSeed();
    std::printf("kill harness: seed %u (BORVELIN_KILL_SEED=%u repeats it), %d kill points per command\n", seed, seed,
                killPointsPerCommand());
    std::mt19937 random(seed);
    const Files before = earlierFiles();
    for (const WritingCommand& command : writingCommands()) {
        const std::string name = commandName(command);
        lay("whole", before);
        std::vector<std::string> hidden;
        const Files oldFiles = filesIn("whole", hidden);
        const CliResult whole = runCli("whole", command.arguments);
        ASSERT_EQ(whole.exitStatus, 0) << name << ": " << whole.errorText;
        const Files newFiles = filesIn("whole", hidden);
        ASSERT_TRUE(hidden.empty()) << name << ": " << ::testing::PrintToString(hidden);

        Tally tally;
        // A third of the kills anywhere in the run, a third near its end, where the outputs
        // are put in place, and a third the moment a set's journal appears.
        std::uniform_real_distribution<double> anywhere(0.0, 1.1 * whole.seconds);
        std::uniform_real_distribution<double> nearTheEnd(0.8 * whole.seconds, 1.2 * whole.seconds);
        for (int point = 0; point < killPointsPerCommand(); ++point) {
            const bool atTheJournal = point % 3 == 2;
            const double delay = point % 3 == 0 ? anywhere(random) : nearTheEnd(random);
            lay("killed", before);
            {
                CliProcess cli("killed", command.arguments);
                if (atTheJournal)
                    waitForTheJournal(whole.seconds * 3);
                else
                    std::this_thread::sleep_for(std::chrono::duration<double>(delay));
                cli.sendSignal(SIGKILL);
                const CliResult killed = cli.wait();
                ++tally.killPoints;
                tally.killedBeforeTheEnd += killed.exitStatus == 128 + SIGKILL ? 1 : 0;
                tally.journalsCompleted += fs::exists("killed/.BORVELIN.journal") ? 1 : 0;
            }
            // Found or not, depending on the list it finds: 0 or 1, and no error.
            const CliResult next = runCli("killed", {"lookup", "Q3A2"});
            ASSERT_TRUE(next.exitStatus <= 1 && next.errorText.find("error") == std::string::npos)
                << name << ": " << next.errorText;

            std::vector<std::string> left;
            const Files now = filesIn("killed", left);
            EXPECT_TRUE(left.empty()) << name << ", kill after " << delay << " s: left "
                                      << ::testing::PrintToString(left);
            std::set<std::string> names;
            for (const Files* files : {&oldFiles, &newFiles, &now})
                for (const auto& entry : *files)
                    names.insert(entry.first);
            std::set<std::string> setStates;
            for (const std::string& file : names) {
                const auto found = now.find(file), wasOld = oldFiles.find(file), isNew = newFiles.find(file);
                const bool asOld = found == now.end() ? wasOld == oldFiles.end()
                                                      : wasOld != oldFiles.end() && found->second == wasOld->second;
                const bool asNew = found == now.end() ? isNew == newFiles.end()
                                                      : isNew != newFiles.end() && found->second == isNew->second;
                EXPECT_TRUE(asOld || asNew) << name << ", kill after " << delay << " s: " << file
                                            << " is neither as before nor as after the run";
                if (asOld == asNew)
                    continue; // unchanged by the command
                ++(asOld ? tally.filesOld : tally.filesNew);
                if (std::find(command.set.begin(), command.set.end(), file) != command.set.end())
                    setStates.insert(asOld ? "old" : "new");
            }
            EXPECT_LE(setStates.size(), 1u) << name << ", kill after " << delay << " s: a set half in place";
            if (const auto log = now.find("BORVELIN.LOG"); log != now.end()) {
                EXPECT_TRUE(logIsWhole(log->second)) << name << ": the log ends inside an entry";
            }
        }
        std::printf("kill harness: %-24s %3d kill points (%d before the run ended, %d amid a commit), files found "
                    "old %d, new %d\n",
                    name.c_str(), tally.killPoints, tally.killedBeforeTheEnd, tally.journalsCompleted, tally.filesOld,
                    tally.filesNew);
    }
}

} // namespace
} // namespace borvelin::faults
