// SPDX-License-Identifier: GPL-3.0-or-later
// One rule for inputs that are no regular file, the same for every command: a directory
// or a device is refused at once with error 75; a FIFO is read as a stream by the
// commands that read their input once, and refused with error 75 by Check List (which
// reads its list twice) and Fill QSL Via (which replaces its log). A FIFO whose writer
// never comes is waited on, and Ctrl+C ends the wait with error 18.
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include <sys/stat.h>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::readFile;
using test::writeFile;

struct InputCommand {
    std::vector<std::string> arguments;
    std::string input;
    bool readsAStream; // a FIFO is read as a stream; else refused
    std::vector<std::string> outputs;
};

std::string inputCommandName(const ::testing::TestParamInfo<InputCommand>& info)
{
    std::string name;
    for (const auto& argument : info.param.arguments)
        for (const char letter : argument)
            if (std::isalnum(static_cast<unsigned char>(letter)))
                name += letter;
    return name + "_" + std::to_string(info.index);
}

const std::vector<InputCommand> InputCommands = {
    {{"list25"}, "QSL.TXT", true, {"QSL.CSV", "QSLMGR.TXT"}},
    {{"buro"}, "QSL.TXT", true, {"QSLADM.TXT"}},
    {{"txt2ful"}, "QSL.TXT", true, {"QSL.FUL"}},
    {{"ful2txt"}, "QSL.FUL", true, {"QSL.TXT"}},
    {{"cluster"}, "QSL.TXT", true, {"QSLCLU.FUL"}},
    {{"import", "IMPORT.CSV"}, "IMPORT.CSV", true, {"QSL.TXT"}},
    {{"import", "--merge", "IMPORT.CSV"}, "IMPORT.CSV", true, {"QSL.TXT"}},
    {{"lookup", "Q3A2"}, "QSL.TXT", true, {}},
    {{"adif", "LOG.adi"}, "QSL.TXT", true, {"LOG.adi", "QSLVIA.CSV"}},
    {{"check"}, "QSL.TXT", false, {"QSLCHK.CSV"}},
    {{"adif", "LOG.adi"}, "LOG.adi", false, {"LOG.adi", "QSLVIA.CSV"}},
};

constexpr double TimeLimitSeconds = 10;

class InputKinds : public FaultTest, public ::testing::WithParamInterface<InputCommand> {
protected:
    void SetUp() override
    {
        writeEarlierFiles(200);
        writeFile("IMPORT.CSV", "Q1ABC;Q2MGR;2024-01\nQ3DEF;Q2MGR;2024-02\n");
        writeFile("LOG.adi", "<CALL:4>Q3A2<QSO_DATE:8>20240501<EOR>\r\n");
        for (const char* place : {"reference", "fed"}) {
            fs::create_directory(place);
            for (const char* name : {"QSL.TXT", "QSL.FUL", "IMPORT.CSV", "LOG.adi"})
                fs::copy_file(name, fs::path(place) / name);
        }
    }
    void expectRefused(const std::string& what)
    {
        const InputCommand& command = GetParam();
        const CliResult result = expectFailureChangesNothing(command.arguments, {75, what, command.input});
        EXPECT_LT(result.seconds, TimeLimitSeconds);
    }
};

TEST_P(InputKinds, ADirectoryIsRefusedAtOnce)
{
    fs::remove(GetParam().input);
    fs::create_directory(GetParam().input);
    expectRefused("Path/File access error (Is a directory)");
}

TEST_P(InputKinds, ADeviceIsRefusedAtOnce)
{
    fs::remove(GetParam().input);
    fs::create_symlink("/dev/zero", GetParam().input);
    expectRefused("Path/File access error (not a regular file)");
}

// Fed through a FIFO, a command that reads its input once writes what it writes from the
// same bytes in a file; the others refuse it unread.
TEST_P(InputKinds, AFifoIsReadAsAStreamOrRefused)
{
    const InputCommand& command = GetParam();
    fs::remove(command.input);
    ASSERT_EQ(mkfifo(command.input.c_str(), 0644), 0);
    if (!command.readsAStream) {
        expectRefused("Path/File access error (not a regular file)");
        return;
    }
    const CliResult reference = runCli("reference", command.arguments);
    ASSERT_LE(reference.exitStatus, 1) << reference.errorText;
    const std::string bytes = readFile(fs::path("reference") / command.input);
    fs::remove(fs::path("fed") / command.input);
    ASSERT_EQ(mkfifo((fs::path("fed") / command.input).c_str(), 0644), 0);
    CliProcess cli("fed", command.arguments);
    {
        std::ofstream feed(fs::path("fed") / command.input, std::ios::binary);
        feed << bytes;
    }
    const CliResult fed = cli.wait();
    EXPECT_EQ(fed.exitStatus, reference.exitStatus) << fed.errorText;
    EXPECT_LT(fed.seconds, TimeLimitSeconds);
    for (const std::string& output : command.outputs)
        EXPECT_EQ(readFile(fs::path("fed") / output), readFile(fs::path("reference") / output)) << output;
}

// The writer never comes: the command waits, and Ctrl+C ends the wait with error 18.
TEST_P(InputKinds, CtrlCEndsTheWaitForAFifosWriter)
{
    const InputCommand& command = GetParam();
    if (!command.readsAStream)
        GTEST_SKIP() << "refused unread";
    fs::remove(command.input);
    ASSERT_EQ(mkfifo(command.input.c_str(), 0644), 0);
    const DirectoryState before = DirectoryState::of(directory.path());
    CliProcess cli(directory.path(), command.arguments);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    cli.sendSignal(SIGINT);
    const CliResult result = cli.wait();
    EXPECT_EQ(result.exitStatus, 128 + SIGINT) << result.errorText;
    EXPECT_NE(result.errorText.find("error 18: User interrupt occurred"), std::string::npos) << result.errorText;
    EXPECT_LT(result.seconds, TimeLimitSeconds);
    expectAsBefore(directory.path(), before);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, InputKinds, ::testing::ValuesIn(InputCommands), inputCommandName);

} // namespace
} // namespace borvelin::faults
