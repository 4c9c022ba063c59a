// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of the program's output goes away (`borvelin-cli list25 2>&1 | head -2`): the
// job stops as at Ctrl+C, cleans up, and the program ends without a word with the status
// of SIGPIPE. Temporary files of a run killed before are removed by the next run in the
// folder, those of a program that still runs are not.
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::writeFile;

class ClosedOutput : public FaultTest {};

TEST_F(ClosedOutput, TheJobStopsCleansUpAndThePipesStatusIsTheExitStatus)
{
    writeEarlierFiles(3000);
    CliOptions closed;
    closed.outputClosed = true;
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"list25"}, {"-q", "import", "QSL.TXT"}, {"lookup", "Q3A2", "Q5A4"}}) {
        const DirectoryState before = DirectoryState::of(directory.path());
        const CliResult result = runCli(directory.path(), command, closed);
        EXPECT_EQ(result.exitStatus, 128 + SIGPIPE) << command.back();
        expectAsBefore(directory.path(), before);
    }
}

pid_t aProcessThatIsGone()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST_F(ClosedOutput, TemporaryFilesOfAProcessThatIsGoneAreRemovedByTheNextRun)
{
    writeEarlierFiles(20);
    const std::string gone = std::to_string(aProcessThatIsGone());
    const std::string running = std::to_string(getpid());
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"buro"}, {"lookup", "Q3A2"}}) {
        const std::vector<std::string> stale = {".QSL.CSV." + gone + ".123456.tmp",
                                                ".QSLCLU.FUL.run." + gone + ".000001.tmp",
                                                ".BORVELIN.LOG." + gone + ".654321.tmp"};
        for (const auto& name : stale)
            writeFile(name, "left by a killed run\r\n");
        writeFile(".QSL.TXT." + running + ".111111.tmp", "being written by a program that runs\r\n");
        writeFile(".notes.txt", "the user's own hidden file\r\n");
        const CliResult result = runCli(directory.path(), command);
        EXPECT_EQ(result.exitStatus, 0) << result.errorText;
        for (const auto& name : stale)
            EXPECT_FALSE(fs::exists(name)) << command.front() << ": " << name;
        EXPECT_TRUE(fs::exists(".QSL.TXT." + running + ".111111.tmp")) << command.front();
        EXPECT_TRUE(fs::exists(".notes.txt")) << command.front();
    }
}

} // namespace
} // namespace borvelin::faults
