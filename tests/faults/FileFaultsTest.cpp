// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

constexpr fs::perms ReadOnlyDirectory = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;

// Each case runs every job and checks that the files are as they were before it.
class FileFaults : public FaultTest, public ::testing::WithParamInterface<Job> {};

TEST_P(FileFaults, InputMissingOrADirectory)
{
    const Job& job = GetParam();
    writeEarlierFiles(20);
    fs::remove(job.input);
    expectFailureChangesNothing({job.command}, {53, "File not found", job.input});
    fs::create_directory(job.input);
    expectFailureChangesNothing({job.command}, {75, "Path/File access error (Is a directory)", job.input});
}

TEST_P(FileFaults, InputUnreadable)
{
    const auto user = unprivilegedUser();
    if (!user)
        GTEST_SKIP() << "running as root with no unprivileged account to change to";
    const Job& job = GetParam();
    writeEarlierFiles(20);
    handOver(directory.path(), *user);
    fs::permissions(job.input, fs::perms::owner_write);
    expectFailureChangesNothing({job.command}, {70, "Permission denied", job.input}, CliOptions::runningAs(*user));
}

TEST_P(FileFaults, OutputDirectoryReadOnly)
{
    const auto user = unprivilegedUser();
    if (!user)
        GTEST_SKIP() << "running as root with no unprivileged account to change to";
    const Job& job = GetParam();
    writeEarlierFiles(20);
    handOver(directory.path(), *user);
    fs::permissions(directory.path(), ReadOnlyDirectory);
    expectFailureChangesNothing({job.command}, {70, "Permission denied", job.outputs.front()},
                                CliOptions::runningAs(*user));
    fs::permissions(directory.path(), fs::perms::owner_all);
    for (const auto& output : job.outputs)
        fs::remove(output);
    fs::permissions(directory.path(), ReadOnlyDirectory);
    expectFailureChangesNothing({job.command}, {70, "Permission denied", job.outputs.front()},
                                CliOptions::runningAs(*user));
}

TEST_P(FileFaults, OutputNameTakenByADirectory)
{
    const Job& job = GetParam();
    for (const auto& output : job.outputs) {
        writeEarlierFiles(20);
        fs::remove(output);
        fs::create_directory(output);
        expectFailureChangesNothing({job.command}, {75, "Path/File access error (Is a directory)", output});
        fs::remove(output);
    }
}

TEST_P(FileFaults, OutputNameThatIsNoRegularFileOrALinkLoop)
{
    const Job& job = GetParam();
    const std::string& output = job.outputs.back();
    writeEarlierFiles(20);
    fs::remove(output);
    ASSERT_EQ(mkfifo(output.c_str(), 0644), 0); // opening it to write would wait for a reader
    expectFailureChangesNothing({job.command}, {75, "Path/File access error (not a regular file)", output});
    fs::remove(output);
    fs::create_symlink(output, output);
    expectFailureChangesNothing({job.command},
                                {75, "Path/File access error (Too many levels of symbolic links)", output});
    // A link to a device, such as /dev/null; renaming over it would replace the device.
    if (mknod("null-device", S_IFCHR | 0666, makedev(1, 3)) == 0) {
        fs::remove(output);
        fs::create_symlink("null-device", output);
        expectFailureChangesNothing({job.command}, {75, "Path/File access error (not a regular file)", output});
    }
}

// A link in the output's place stays; the file it points to, here or in another
// directory, gets the new output whole, and neither directory keeps a temporary file.
TEST_P(FileFaults, OutputNameThatIsASymbolicLink)
{
    const Job& job = GetParam();
    const auto list = plainList(500);
    for (const char* place : {"reference", "work"}) {
        fs::create_directory(place);
        writeFile(fs::path(place) / "QSL.TXT", test::crlfLines(list));
        writeFile(fs::path(place) / "QSL.FUL", fulRecords(list));
    }
    fs::create_directory("elsewhere");
    const CliResult reference = runCli("reference", {job.command});
    ASSERT_EQ(reference.exitStatus, 0) << reference.errorText;

    std::vector<fs::path> linkTargets;
    for (std::size_t i = 0; i < job.outputs.size(); ++i) {
        const fs::path link = fs::path("work") / job.outputs[i];
        fs::remove(link);
        linkTargets.push_back((i == 0 ? "../elsewhere/real-" : "real-") + job.outputs[i]);
        writeFile(link.parent_path() / linkTargets.back(), "earlier output\r\n");
        fs::create_symlink(linkTargets.back(), link);
    }
    const CliResult result = runCli("work", {job.command});
    ASSERT_EQ(result.exitStatus, 0) << result.errorText;
    for (std::size_t i = 0; i < job.outputs.size(); ++i) {
        const fs::path link = fs::path("work") / job.outputs[i];
        ASSERT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_EQ(fs::read_symlink(link), linkTargets[i]);
        EXPECT_EQ(readFile(link.parent_path() / linkTargets[i]), readFile(fs::path("reference") / job.outputs[i]))
            << job.outputs[i];
    }
    EXPECT_TRUE(temporaryFiles("work").empty());
    EXPECT_TRUE(temporaryFiles("elsewhere").empty());
}

// A backup the user made read-only is refused as any read-only target is: the list and
// the log are not replaced, and no backup is overwritten.
TEST(BackupFaults, ReadOnlyBackupIsRefused)
{
    const auto user = unprivilegedUser();
    if (!user)
        GTEST_SKIP() << "running as root with no unprivileged account to change to";
    struct Case {
        std::vector<std::string> command;
        std::string backup;
    };
    for (const Case& c : std::vector<Case>{{{"ful2txt"}, "QSL.BAK"}, {{"adif", "LOG.adi"}, "LOG.adi.bak"}}) {
        test::TestDirectory directory;
        const auto list = plainList(20);
        writeFile("QSL.TXT", test::crlfLines(list));
        writeFile("QSL.FUL", fulRecords(plainList(10)));
        writeFile("QSL.BAK", "the backup\r\n");
        writeFile("LOG.adi", "<CALL:4>Q1A0<EOR>\r\n<CALL:4>Q3A2<EOR>\r\n");
        writeFile("LOG.adi.bak", "the log's backup");
        handOver(directory.path(), *user);
        fs::permissions(c.backup, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        const DirectoryState before = DirectoryState::of(directory.path());
        const CliResult result = runCli(directory.path(), c.command, CliOptions::runningAs(*user));
        EXPECT_EQ(result.exitStatus, 1) << result.errorText;
        EXPECT_NE(result.errorText.find("error 70: Permission denied: " + (directory.path() / c.backup).string()),
                  std::string::npos)
            << result.errorText;
        EXPECT_EQ(DirectoryState::of(directory.path()).changedSince(before), std::vector<std::string>());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryJob, FileFaults, ::testing::ValuesIn(allJobs()), jobName);

} // namespace
} // namespace borvelin::faults
