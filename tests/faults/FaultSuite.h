// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faults/CliRunner.h"
#include "faults/DirectoryState.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace borvelin::faults {

// One File conversion as borvelin-cli names it, with the file it reads and those it writes.
struct Job {
    std::string command;
    std::string input;
    std::vector<std::string> outputs;
};

const std::vector<Job>& allJobs();
std::string jobName(const ::testing::TestParamInfo<Job>& info);

// A manager list of `lines` lines, stations and bureaus taking turns, none of which the
// failure log takes; 3000 lines make every output of every job larger than 64 KiB.
std::vector<std::string> plainList(int lines);
// The lines of QSL.FUL as TXT to FUL writes it for the list.
std::vector<std::string> fulLines(const std::vector<std::string>& list);
// The same lines as a file, each ended by CR LF.
std::string fulRecords(const std::vector<std::string>& list);

// The error a failing run must report on standard error: the file with its full path,
// in the folder the run worked in, and the line where the error has one.
struct ExpectedError {
    int number;
    std::string text;
    std::string fileName;
    std::uint64_t line = 0;
    std::string message(const std::filesystem::path& folder) const
    {
        std::string where;
        if (!fileName.empty())
            where = ": " + (std::filesystem::absolute(folder) / fileName).lexically_normal().string();
        if (line != 0)
            where += ", line " + std::to_string(line);
        return "error " + std::to_string(number) + ": " + text + where;
    }
};

// Failed runs and what they left, counted over the whole suite for its closing summary.
struct FaultCount {
    int failedRuns = 0;
    int filesCompared = 0;
    int filesChanged = 0;
    int temporaryFilesLeft = 0;
};
FaultCount& faultCount();

// Each test works in a fresh directory that holds what earlier runs left behind.
class FaultTest : public ::testing::Test {
protected:
    // QSL.TXT, QSL.FUL, every output, the backup FUL to TXT keeps and a log entry, each
    // with bytes of its own.
    void writeEarlierFiles(int listLines = 3000);
    // Runs the commands in jobDirectory, which must stop with `error`; then every entry
    // of the directory must be byte for byte as before and no temporary file may be left.
    CliResult expectFailureChangesNothing(const std::vector<std::string>& commands, const ExpectedError& error,
                                          const CliOptions& options = {});
    // After a failed run: the directory entry for entry as `before`, no temporary file left;
    // counted in the suite's summary.
    static void expectAsBefore(const std::filesystem::path& where, const DirectoryState& before);

    test::TestDirectory directory;
    // Where the runs work and the earlier files lie: the test directory unless a test moves them.
    std::filesystem::path jobDirectory = directory.path();
};

} // namespace borvelin::faults
