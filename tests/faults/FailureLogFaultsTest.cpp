// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::writeFile;

// List of 25+ must log a line it cannot cut; when the log cannot take the entry the
// job stops, and QSL.CSV, QSLMGR.TXT and the log itself stay as they were.
class FailureLogFaults : public FaultTest {
protected:
    void SetUp() override
    {
        writeEarlierFiles(20);
        auto list = plainList(20);
        list.insert(list.begin() + 10, "XYZLAND      QSL Bureau only"); // a bureau address without its commas
        writeFile("QSL.TXT", test::crlfLines(list));
    }
};

TEST_F(FailureLogFaults, LogNameTakenByADirectoryOrAFifo)
{
    fs::remove("BORVELIN.LOG");
    fs::create_directory("BORVELIN.LOG");
    expectFailureChangesNothing({"list25"}, {75, "Path/File access error (Is a directory)", "BORVELIN.LOG"});
    fs::remove("BORVELIN.LOG");
    ASSERT_EQ(mkfifo("BORVELIN.LOG", 0644), 0); // opening it to append would wait for a reader
    expectFailureChangesNothing({"list25"}, {75, "Path/File access error (not a regular file)", "BORVELIN.LOG"});
}

TEST_F(FailureLogFaults, LogWriteProtected)
{
    const auto user = unprivilegedUser();
    if (!user)
        GTEST_SKIP() << "running as root with no unprivileged account to change to";
    handOver(directory.path(), *user);
    fs::permissions("BORVELIN.LOG", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    expectFailureChangesNothing({"list25"}, {70, "Permission denied", "BORVELIN.LOG"}, CliOptions::runningAs(*user));
}

TEST_F(FailureLogFaults, DiskFillsPartWayThroughTheEntry)
{
    std::string earlierEntries;
    while (earlierEntries.size() < 40000)
        earlierEntries += "01/01/25 00:00:00\r\nQ1ABC        QSL via Q2MGR (for Q5XYZ\r\n"
                          "Failure: Bracket open is not followed by a bracket close.\r\n";
    writeFile("BORVELIN.LOG", earlierEntries);
    // Room for the date line and a few bytes of the line, not for the whole entry.
    expectFailureChangesNothing({"list25"}, {61, "Disk full", "BORVELIN.LOG"},
                                CliOptions::limitingFileSize(earlierEntries.size() + 25));
}

} // namespace
} // namespace borvelin::faults
