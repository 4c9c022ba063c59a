// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"
#include "faults/TmpfsMount.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::listLine;
using test::writeFile;

constexpr unsigned long FileSizeLimit = 32 * 1024;
constexpr std::uintmax_t TmpfsSize = 16 * 1024 * 1024;
constexpr std::uintmax_t Page = 4096;

std::uintmax_t pages(std::uintmax_t bytes)
{
    return (bytes + Page - 1) / Page * Page;
}

// A disk that fills part-way through an output: first simulated by a limit on the
// size of any file the process writes, then for real on a small tmpfs.
class DiskFull : public FaultTest, public ::testing::WithParamInterface<Job> {
protected:
    // Mounts a tmpfs with a directory "work" on it; returns false when mounting is not possible.
    bool mountSmallDisk()
    {
        if (const std::string problem = TmpfsMount::unavailableBecause(); !problem.empty()) {
            skipReason = problem;
            return false;
        }
        disk = std::make_unique<TmpfsMount>(directory.path() / "disk", TmpfsSize);
        jobDirectory = directory.path() / "disk" / "work";
        fs::create_directory(jobDirectory);
        return true;
    }
    fs::path filler() const { return directory.path() / "disk" / "filler"; }

    std::string skipReason;
    std::unique_ptr<TmpfsMount> disk;
};

TEST_P(DiskFull, FileSizeLimitReachedPartWayThroughTheOutput)
{
    const Job& job = GetParam();
    writeEarlierFiles(); // every output of every job passes 64 KiB
    expectFailureChangesNothing({job.command}, {61, "Disk full", job.outputs.front()},
                                CliOptions::limitingFileSize(FileSizeLimit));
    // As a shell leaves it after ulimit -f, SIGXFSZ would end the program where it stands;
    // the program ignores it and reports the full file all the same.
    CliOptions asTheShellLeavesIt = CliOptions::limitingFileSize(FileSizeLimit);
    asTheShellLeavesIt.fileSizeSignalAsItIs = true;
    expectFailureChangesNothing({job.command}, {61, "Disk full", job.outputs.front()}, asTheShellLeavesIt);
}

TEST_P(DiskFull, DiskFillsPartWayThroughTheOutput)
{
    if (!mountSmallDisk())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << skipReason;
    const Job& job = GetParam();
    writeEarlierFiles();
    disk->leaveFree(filler(), 16 * 1024);
    expectFailureChangesNothing({job.command}, {61, "Disk full", job.outputs.front()});
}

INSTANTIATE_TEST_SUITE_P(EveryJob, DiskFull, ::testing::ValuesIn(allJobs()), jobName);

// QSLMGR.TXT is always far smaller than the QSL.CSV it follows (each of its lines stands
// for 25 records), so no limit on the size of one file can let QSL.CSV through and
// stop QSLMGR.TXT. A disk with room for QSL.CSV and half of QSLMGR.TXT can.
TEST_F(DiskFull, DiskFillsInTheManagerFileAfterQslCsvWasWritten)
{
    if (!mountSmallDisk())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << skipReason;
    std::vector<std::string> list;
    for (int manager = 0; manager < 400; ++manager)
        for (int record = 0; record < 25; ++record)
            list.push_back(listLine("Q1A" + std::to_string(record),
                                    "QSL via Q2" + std::string(190, 'M') + std::to_string(manager)));
    fs::create_directory("reference");
    writeFile("reference/QSL.TXT", crlfLines(list));
    const CliResult reference = runCli("reference", {"list25"});
    ASSERT_EQ(reference.exitStatus, 0) << reference.errorText;
    const std::uintmax_t csvSize = fs::file_size("reference/QSL.CSV");
    const std::uintmax_t managerFileSize = fs::file_size("reference/QSLMGR.TXT");
    ASSERT_GT(managerFileSize, 16 * Page);

    writeEarlierFiles(20);
    writeFile(jobDirectory / "QSL.TXT", crlfLines(list));
    disk->leaveFree(filler(), pages(csvSize) + pages(managerFileSize / 2));
    // The status shows QSLMGR.TXT as the output only once QSL.CSV is complete.
    const CliResult result = expectFailureChangesNothing({"list25"}, {61, "Disk full", "QSLMGR.TXT"});
    EXPECT_NE(result.errorText.find("To: QSLMGR.TXT"), std::string::npos) << result.errorText;
}

} // namespace
} // namespace borvelin::faults
