// SPDX-License-Identifier: GPL-3.0-or-later
// Outputs that belong together are put in place as one: a commit that fails part-way
// leaves every file as it was, and one killed part-way is completed by the next command.
#include "adif/AdifFillJob.h"
#include "full/FulToTxtJob.h"
#include "import/ImportJob.h"
#include "jobs/BackupGenerations.h"
#include "jobs/CommitJournal.h"
#include "jobs/FolderAccess.h"
#include "jobs/JobError.h"
#include "jobs/ListSave.h"
#include "managers/List25Job.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>

namespace borvelin {
namespace {

using test::crlfLines;
using test::listLine;
using test::MemoryFiles;
using test::RecordingStatus;
using Files = std::map<std::string, std::string>;

// The log's date lines change from run to run.
Files withoutDates(Files files)
{
    static const std::regex dateLine(R"((^|\r\n)\d\d/\d\d/\d\d \d\d:\d\d:\d\d\r\n)");
    if (const auto log = files.find("BORVELIN.LOG"); log != files.end())
        log->second = std::regex_replace(log->second, dateLine, "$1DATE\r\n");
    return files;
}

const std::string List = crlfLines({listLine("Q1ABC", "QSL via Q2MGR"), listLine("XYZLAND", "QSL Bureau only"),
                                    listLine("Q3DEF", "QSL via Q2MGR"), listLine("Q4GHI", "QSL via Q5MGR")});

struct Case {
    std::string name;
    Files before;
    std::function<void(JobState&, StatusSink&, MemoryFiles&)> run;
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"List of 25+ with log entries",
         {{"QSL.TXT", List}, {"QSL.CSV", "old csv\r\n"}, {"QSLMGR.TXT", "Q9OLD\r\n"}, {"BORVELIN.LOG", "old log\r\n"}},
         [](auto& state, auto& status, auto& files) { List25Job(state, status, files).run(); }},
        {"List of 25+ without a log yet",
         {{"QSL.TXT", List}},
         [](auto& state, auto& status, auto& files) { List25Job(state, status, files).run(); }},
        {"Import replacing the list and its backups",
         {{"QSL.TXT", List},
          {"QSL.BAK", "old backup\r\n"},
          {"IMPORT.CSV", "Q1ABC;Q7NEW;2024-01\nQ8NEW;Q7NEW;2024-02\nQ#BAD;Q7NEW;2024-03\n"},
          {"BORVELIN.LOG", "old log\r\n"}},
         [](auto& state, auto& status, auto& files) {
             ImportJob(state, status, "IMPORT.CSV", ImportMode::Replace, files).run();
         }},
        {"Import merging",
         {{"QSL.TXT", List},
          {"QSL.BAK", "old backup\r\n"},
          {"IMPORT.CSV", "Q1ABC;Q7NEW;2024-01\nQ8NEW;Q7NEW;2024-02\n"}},
         [](auto& state, auto& status, auto& files) {
             ImportJob(state, status, "IMPORT.CSV", ImportMode::Merge, files).run();
         }},
        {"FUL to TXT",
         {{"QSL.FUL", "&&\r\nQ1ABC\r\n" + listLine("Q1ABC", "QSL via Q6NEW") + "\r\n"},
          {"QSL.TXT", List},
          {"QSL.BAK", "old backup\r\n"}},
         [](auto& state, auto& status, auto& files) { FulToTxtJob(state, status, files).run(); }},
        {"Fill QSL Via",
         {{"QSL.TXT", List},
          {"LOG.adi", "<ADIF_VER:5>3.1.0<EOH>\r\n<CALL:5>Q1ABC<QSO_DATE:8>20240501<EOR>\r\n"},
          {"LOG.adi.bak", "old log backup"},
          {"QSLVIA.CSV", "old report\r\n"}},
         [](auto& state, auto& status, auto& files) { AdifFillJob(state, status, "LOG.adi", files).run(); }},
    };
    return all;
}

// The files after an uninterrupted run, and how many renames put them in place.
std::pair<Files, int> runWhole(const Case& job)
{
    MemoryFiles files;
    files.files = job.before;
    JobState state;
    RecordingStatus status;
    job.run(state, status, files);
    return {withoutDates(files.files), files.renames()};
}

TEST(CommitSet, ARenameThatFailsLeavesEveryFileAndTheLogAsTheyWere)
{
    for (const Case& job : cases()) {
        const auto [after, renames] = runWhole(job);
        ASSERT_GE(renames, 2) << job.name; // else there would be nothing to undo
        ASSERT_NE(after, job.before) << job.name;
        for (int failing = 1; failing <= renames; ++failing) {
            MemoryFiles files;
            files.files = job.before;
            files.failRename(failing);
            JobState state;
            RecordingStatus status;
            EXPECT_THROW(job.run(state, status, files), JobError) << job.name << ", rename " << failing;
            EXPECT_EQ(files.files, job.before) << job.name << ", rename " << failing;
        }
    }
}

// A folder's sync waits for the disk: the commit syncs the folder once before its journal
// and once after its renames, however many files it puts in place.
TEST(CommitSet, TheFolderIsSyncedOnceBeforeAndOnceAfterTheRenames)
{
    for (const Case& job : cases()) {
        MemoryFiles files;
        files.files = job.before;
        JobState state;
        RecordingStatus status;
        job.run(state, status, files);
        EXPECT_LE(files.folderSyncs, 2) << job.name << ", " << files.renames() << " renames";
    }
}

TEST(CommitSet, ARunKilledPartWayIsCompletedByTheNextCommand)
{
    for (const Case& job : cases()) {
        const Files after = runWhole(job).first;
        for (int killed = 1;; ++killed) {
            MemoryFiles files;
            files.files = job.before;
            files.killAtRename(killed);
            JobState state;
            RecordingStatus status;
            try {
                job.run(state, status, files);
                break; // past the last rename
            } catch (const MemoryFiles::Killed&) {
            }
            files.restart();
            RecordingStatus nextStatus;
            beginReading(files, nextStatus); // a lookup comes next
            EXPECT_EQ(withoutDates(files.visibleFiles()), after) << job.name << ", killed at rename " << killed;
            EXPECT_FALSE(files.files.count(CommitJournal::FileName)) << job.name;
        }
    }
}

TEST(CommitSet, AJournalThatIsNotWholeIsDroppedWithoutATouch)
{
    CommitJournal journal;
    journal.steps.push_back(
        {CommitJournal::Step::Kind::Rename, ".QSL.CSV.1.000001.tmp", "QSL.CSV", "QSL.CSV", 0, true});
    const std::string whole = journal.encode();
    ASSERT_TRUE(CommitJournal::decode(whole));
    for (const std::size_t cut : {std::size_t{0}, whole.size() / 2, whole.size() - 2}) {
        MemoryFiles files;
        files.files = {{"QSL.CSV", "old\r\n"}, {".QSL.CSV.1.000001.tmp", "new\r\n"}};
        files.files[CommitJournal::FileName] = whole.substr(0, cut);
        EXPECT_TRUE(completeInterruptedCommit(files));
        EXPECT_EQ(files.files.at("QSL.CSV"), "old\r\n") << "cut at " << cut;
        EXPECT_FALSE(files.files.count(CommitJournal::FileName));
    }
}

// Each FUL to TXT keeps the list it replaces; the older backups pile up to the setting
// and never take one another's place.
TEST(BackupGenerations, OlderListsAreKeptUpToTheSettingAndNeverOverwritten)
{
    const int keptBefore = backups::olderKept();
    backups::setOlderKept(3);
    MemoryFiles files;
    files.files["QSL.TXT"] = "list 0\r\n";
    for (int run = 1; run <= 6; ++run) {
        files.files["QSL.FUL"] =
            "&&\r\nQ1ABC\r\n" + listLine("Q1ABC", "QSL via Q" + std::to_string(run) + "MGR") + "\r\n";
        JobState state;
        RecordingStatus status;
        FulToTxtJob job(state, status, files);
        job.run();
        ASSERT_EQ(job.summary().kept.size(), 1u);
        EXPECT_EQ(job.summary().kept[0].backup, "QSL.BAK");
        EXPECT_EQ(job.summary().kept[0].older.empty(), run == 1) << "run " << run;
    }
    backups::setOlderKept(keptBefore);
    const auto older = backups::olderOf(files, "QSL.BAK");
    ASSERT_EQ(older.size(), 3u);
    // The newest backup is the list the last run replaced; before it, the three runs before.
    EXPECT_NE(files.files.at("QSL.BAK").find("Q5MGR"), std::string::npos);
    EXPECT_NE(files.files.at(older[2]).find("Q4MGR"), std::string::npos);
    EXPECT_NE(files.files.at(older[1]).find("Q3MGR"), std::string::npos);
    EXPECT_NE(files.files.at(older[0]).find("Q2MGR"), std::string::npos);
}

// The list editor's save and the window's Undo: QSL.TXT replaced under the folder's lock,
// the list it replaces kept, and Undo giving back the list before byte for byte.
TEST(ListSave, SavingKeepsTheListItReplacesAndUndoGivesItBackByteForByte)
{
    MemoryFiles files;
    const std::string before = "Q1ABC        QSL via Q2MGR\nQ3DEF        PIRATE"; // LF, and no last break
    files.files = {{"QSL.TXT", before}, {"QSL.BAK", "the backup before\r\n"}};
    RecordingStatus status;
    const listfile::Saved saved = listfile::save(
        [](LineSink& list) {
            list.writeLine(listLine("Q1ABC", "QSL via Q4NEW"));
            list.writeLine(listLine("Q3DEF", "PIRATE"));
        },
        status, files);
    EXPECT_EQ(saved.lines, 2u);
    ASSERT_TRUE(saved.kept);
    EXPECT_EQ(saved.kept->backup, "QSL.BAK");
    const std::string edited = files.files.at("QSL.TXT");
    EXPECT_EQ(edited, crlfLines({listLine("Q1ABC", "QSL via Q4NEW"), listLine("Q3DEF", "PIRATE")}));
    EXPECT_EQ(files.files.at("QSL.BAK"), before);
    EXPECT_EQ(files.files.at(saved.kept->older), "the backup before\r\n");

    listfile::restoreBackup(status, files);
    EXPECT_EQ(files.files.at("QSL.TXT"), before);
    EXPECT_EQ(files.files.at("QSL.BAK"), edited);
    EXPECT_EQ(files.visibleFiles().size(), 4u); // and two older backups: nothing was lost
}

} // namespace
} // namespace borvelin
