// SPDX-License-Identifier: GPL-3.0-or-later
// One writer per folder: a command that writes waits a few seconds for the one that
// writes there, saying so, then fails naming the folder; a lookup does not wait.
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::readFile;
using test::writeFile;

// The first writer, an import, reads its rows from a FIFO that the test keeps open
// without writing: it holds the folder's lock for as long as the test wants.
class HeldFolder : public FaultTest {
protected:
    void holdTheLock()
    {
        writeEarlierFiles(20);
        ASSERT_EQ(mkfifo("IMPORT.CSV", 0644), 0);
        holder_ = std::make_unique<CliProcess>(directory.path(), std::vector<std::string>{"import", "IMPORT.CSV"});
        feed_ = open("IMPORT.CSV", O_WRONLY); // once the holder reads, under the lock
        ASSERT_GE(feed_, 0);
        for (int tries = 0; tries < 500 && temporaryFiles(directory.path()).empty(); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10)); // its new list is begun
    }
    // The holder gets its rows and ends well.
    void release()
    {
        const std::string rows = "Q1ABC;Q2MGR;2024-01\n";
        ASSERT_EQ(write(feed_, rows.data(), rows.size()), static_cast<ssize_t>(rows.size()));
        close(feed_);
        const CliResult held = holder_->wait();
        EXPECT_EQ(held.exitStatus, 0) << held.errorText;
    }

    std::unique_ptr<CliProcess> holder_;
    int feed_ = -1;
};

TEST_F(HeldFolder, ASecondWriterWaitsSayingSoThenFailsNamingTheFolder)
{
    holdTheLock();
    const std::string folder = fs::absolute(directory.path()).lexically_normal().string();
    for (const std::string command : {"buro", "ful2txt", "list25"}) {
        const DirectoryState before = DirectoryState::of(directory.path());
        const CliResult second = runCli(directory.path(), {command});
        EXPECT_EQ(second.exitStatus, 1);
        EXPECT_NE(second.errorText.find("Waiting: another BORVELIN command is writing in " + folder + "\n"),
                  std::string::npos)
            << second.errorText;
        EXPECT_NE(second.errorText.find("error 70: Permission denied (another BORVELIN command is writing in this "
                                        "folder): " +
                                        folder + "\n"),
                  std::string::npos)
            << second.errorText;
        EXPECT_GE(second.seconds, 4.5);
        EXPECT_LT(second.seconds, 10.0);
        EXPECT_EQ(DirectoryState::of(directory.path()).changedSince(before), std::vector<std::string>()) << command;
    }
    // A lookup needs no lock: it reads the list at once.
    const CliResult lookup = runCli(directory.path(), {"lookup", "Q1A0"});
    EXPECT_EQ(lookup.exitStatus, 0) << lookup.errorText;
    EXPECT_LT(lookup.seconds, 2.0);
    release();
    EXPECT_TRUE(temporaryFiles(directory.path()).empty());
    EXPECT_FALSE(fs::exists(directory.path() / ".BORVELIN.lock"));
}

// The second writer waits for the first, then runs: each run's log entries, more than
// 1 MiB of them, stay whole and together.
TEST(FolderLock, TwoListOf25RunsLoggingMoreThanAMebibyteEach)
{
    test::TestDirectory directory;
    // Bureau lines without the commas of an address: List of 25+ logs each.
    const auto logged = [](int i) {
        std::string name = "QFAIL";
        for (const char digit : std::to_string(i))
            name += static_cast<char>('A' + (digit - '0'));
        return test::listLine(name, "QSL Bureau only ", 6000);
    };
    std::vector<std::string> list;
    for (int i = 0; i < 200; ++i)
        list.push_back(logged(i));
    writeFile("QSL.TXT", crlfLines(list));
    for (int round = 0; round < 5; ++round) {
        CliProcess first(".", {"-q", "list25"});
        CliProcess second(".", {"-q", "list25"});
        const CliResult firstResult = first.wait(), secondResult = second.wait();
        ASSERT_EQ(firstResult.exitStatus, 0) << firstResult.errorText;
        ASSERT_EQ(secondResult.exitStatus, 0) << secondResult.errorText;
    }
    const std::string log = readFile("BORVELIN.LOG");
    ASSERT_GT(log.size() / 10, std::size_t{1} << 20); // each run's entries
    // Ten runs, each its 200 entries in the order of the list.
    std::size_t at = 0;
    for (int run = 0; run < 10; ++run)
        for (int i = 0; i < 200; ++i) {
            at = log.find("\r\n", at) + 2; // the date line
            const std::string line = logged(i);
            ASSERT_EQ(log.compare(at, line.size() + 2, line + "\r\n"), 0) << "run " << run << ", entry " << i;
            at = log.find("\r\n", at + line.size() + 2) + 2;
        }
    EXPECT_EQ(at, log.size());
}

} // namespace
} // namespace borvelin::faults
