// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportJob.h"
#include "history/HistoryExportJob.h"
#include "jobs/JobError.h"
#include "managers/List25Job.h"
#include "support/GeneratedLists.h"
#include "support/JobTest.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace borvelin {
namespace {

using test::crlfLines;
using test::listLine;
using test::readFile;
using test::RecordingStatus;
using test::TestDirectory;
using test::writeFile;

// The log's lines without the date lines: the line, the message, the next line, ...
std::vector<std::string> loggedLines()
{
    std::vector<std::string> lines;
    const std::string log = std::filesystem::exists("BORVELIN.LOG") ? readFile("BORVELIN.LOG") : "";
    std::size_t start = 0;
    for (std::size_t end, index = 0; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2, ++index)
        if (index % 3 != 0)
            lines.push_back(log.substr(start, end - start));
    return lines;
}

class ImportJobTest : public test::JobTest {
protected:
    void import(const std::string& rows, ImportMode mode = ImportMode::Replace)
    {
        writeFile("list.csv", rows);
        ImportJob(state, status, "list.csv", mode).run();
    }
};

TEST_F(ImportJobTest, RealShapedListGivesOneLinePerStationAndLogsTheRowsItCannotTake)
{
    writeFile("QSL.TXT", crlfLines({listLine("Q9OLD", "QSL via Q2MGR ")}));
    import("CALL;MANAGER;DATE\n"
           "Q1ABC;Q2MGR;2019-03\r\n"
           "  q1abc ;  Q3NEW ;2024-05-10  \r"
           "QA/Q5XY;Q6MM;\n"
           "Q7BAD;BUREAU;2024-01\n"
           "Q1ABC;Q4OLD;2018-11\n"
           "\n"
           "Q8XX;Q2MGR;2024/01\n"
           "Q#1;Q2MGR;2024-01\n"
           "Q1ABC;Q3NEW;2021-01\n"
           "Q0ONE;Q2MGR;2023-03;extra;more\n"
           "Q0ONE;Q2MGR");
    EXPECT_EQ(readFile("QSL.TXT"),
              crlfLines({listLine("Q1ABC", "QSL via Q3NEW (Ex-Q2MGR)"), listLine("QA/Q5XY", "QSL via Q6MM "),
                         listLine("Q0ONE", "QSL via Q2MGR ")}));
    EXPECT_EQ(readFile("QSL.BAK"), crlfLines({listLine("Q9OLD", "QSL via Q2MGR ")}));
    EXPECT_EQ(loggedLines(), (std::vector<std::string>{
                                 "Q7BAD;BUREAU;2024-01",
                                 "Failure: the manager BUREAU is not a call; the row is not imported.",
                                 "Q8XX;Q2MGR;2024/01",
                                 "Failure: the date 2024/01 is not YYYY-MM or YYYY-MM-DD; the row is not imported.",
                                 "Q#1;Q2MGR;2024-01",
                                 "Failure: the call Q#1 is not a call; the row is not imported.",
                                 "Q0ONE;Q2MGR;2023-03;extra;more",
                                 "Failure: the row is not CALL;MANAGER;DATE; the row is not imported.",
                             }));
}

// What editors and other programs leave in a list: a byte order mark, a separator at the
// end of a row; and dates that look right but do not exist.
TEST_F(ImportJobTest, RowsAsOtherProgramsWriteThem)
{
    import("\xEF\xBB\xBFQ1ABC;Q2MGR;2024-02-29\r\n"
           "Q3ABC;Q4MGR;2023-03;\r\n"
           "Q5ABC;Q6MGR;2023-02-29\r\n"
           "Q7ABC;Q8MGR;2021-04-31\r\n");
    EXPECT_EQ(readFile("QSL.TXT"),
              crlfLines({listLine("Q1ABC", "QSL via Q2MGR "), listLine("Q3ABC", "QSL via Q4MGR ")}));
    const std::vector<std::string> logged = loggedLines();
    ASSERT_EQ(logged.size(), 4u);
    EXPECT_EQ(logged[1], "Failure: the date 2023-02-29 is not YYYY-MM or YYYY-MM-DD; the row is not imported.");
    EXPECT_EQ(logged[3], "Failure: the date 2021-04-31 is not YYYY-MM or YYYY-MM-DD; the row is not imported.");
}

// The newest row gives the manager, the newest row naming another gives the remark,
// whatever order the rows come in; on one date the later row counts.
TEST_F(ImportJobTest, NewestManagerAndTheOneBeforeIt)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Q1A;Q2A;2020-01\nQ1A;Q2B;2022-01\nQ1A;Q2C;2021-01\n", "QSL via Q2B (Ex-Q2C)"},
        {"Q1A;Q2B;2022-01\nQ1A;Q2C;2021-01\nQ1A;Q2A;2020-01\n", "QSL via Q2B (Ex-Q2C)"},
        {"Q1A;Q2A;2024-01\nQ1A;Q2B;2022-01\nQ1A;Q2A;2020-01\n", "QSL via Q2A (Ex-Q2B)"},
        {"Q1A;Q2A;2024-01\nQ1A;Q2A;2024-02\n", "QSL via Q2A "},
        {"Q1A;Q2A;2024-01-15\nQ1A;Q2B;2024-01\n", "QSL via Q2A (Ex-Q2B)"},
        {"Q1A;Q2A;2024-01\nQ1A;Q2B;2024-01\n", "QSL via Q2B (Ex-Q2A)"},
        {"Q1A;Q2A;\nQ1A;Q2B;1999-12\n", "QSL via Q2B (Ex-Q2A)"},
    };
    for (const auto& [rows, route] : cases) {
        import(rows);
        EXPECT_EQ(readFile("QSL.TXT"), crlfLines({listLine("Q1A", route)})) << rows;
    }
}

// List of 25+ on an imported list finds every station's newest manager.
TEST_F(ImportJobTest, RoundTripThroughListOf25)
{
    std::mt19937 random(7);
    std::map<std::string, std::pair<int, std::string>> newest; // call: date, manager
    std::string rows;
    for (int row = 0; row < 3000; ++row) {
        const std::string call = (row % 5 == 0 ? "QA/Q" : "Q") + std::to_string(random() % 700) + "AB";
        const std::string manager = "Q" + std::to_string(random() % 90) + "M";
        const int date = 200001 + static_cast<int>(random() % 25) * 100 + static_cast<int>(random() % 12);
        const std::string text = std::to_string(date / 100) + "-" + std::to_string(100 + date % 100).substr(1);
        rows += call + ";" + manager + ";" + text + "\n";
        if (newest[call].first <= date)
            newest[call] = {date, manager};
    }
    import(rows);
    List25Job(state, status).run();
    const std::string csv = readFile("QSL.CSV");
    std::size_t records = 0;
    for (std::size_t start = 0, end; (end = csv.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string record = csv.substr(start, end - start);
        std::vector<std::string> fields;
        for (std::size_t from = 0, semicolon;; from = semicolon + 1) {
            semicolon = record.find(';', from);
            fields.push_back(record.substr(from, semicolon - from));
            if (semicolon == std::string::npos)
                break;
        }
        ASSERT_EQ(fields.size(), 18u) << record;
        const std::string call = fields[1].empty() ? fields[0] : fields[1] + "/" + fields[0];
        EXPECT_EQ(fields[2], newest.at(call).second) << call;
        ++records;
    }
    EXPECT_EQ(records, newest.size());
}

TEST_F(ImportJobTest, MergeAddsTheMissingStationsAndLogsTheOnesThatDiffer)
{
    const std::vector<std::string> present = {
        listLine("Q1ABC", "QSL via Q2MGR"),
        listLine("XYZLAND", "QSL Bureau, P.O. Box 9, Capital City"),
        listLine("Q5XYZ", "QSL via Q6OLD (Ex-Q2MGR)"),
    };
    writeFile("QSL.TXT", crlfLines(present));
    import("Q5XYZ;Q7NEW;2024-01\nQ8NEW;Q9MGR;2024-02\nq1abc;Q2MGR;2024-03\n", ImportMode::Merge);
    std::vector<std::string> merged = present;
    merged.push_back(listLine("Q8NEW", "QSL via Q9MGR "));
    EXPECT_EQ(readFile("QSL.TXT"), crlfLines(merged));
    EXPECT_EQ(readFile("QSL.BAK"), crlfLines(present));
    EXPECT_EQ(loggedLines(),
              (std::vector<std::string>{present[2],
                                        "Failure: Q5XYZ has the manager Q7NEW in the imported list; its line is left "
                                        "as it was."}));
}

TEST_F(ImportJobTest, AListWithNothingToImportChangesNoList)
{
    writeFile("QSL.TXT", "the list\r\n");
    writeFile("QSL.BAK", "the backup\r\n");
    try {
        import("<ADIF_VER:5>3.1.0\n<EOH>\n");
        FAIL() << "imported nothing over the list";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 321);
    }
    EXPECT_EQ(readFile("QSL.TXT"), "the list\r\n");
    EXPECT_EQ(readFile("QSL.BAK"), "the backup\r\n");
}

// Every distinct row with its source, sorted by call, date, manager and source name,
// whatever order the files come in.
TEST_F(ImportJobTest, TheHistoryKeepsEveryDistinctRowWithItsSource)
{
    writeFile("a.csv", "CALL;MANAGER;DATE\n"
                       "Q1ABC;Q2MGR;2019-03\n"
                       "QA/Q1ABC;Q3POR;2020-01\n"
                       "q1abc;q2mgr;2019-03\n"
                       "Q1ABC/P;Q4MGR;\n"
                       "Q1ABC;Q5NEW;2024-05-10;OTHER LIST\n");
    std::filesystem::create_directory("dir");
    writeFile("dir/b.csv", "Q1ABC;Q2MGR;2019-03\nQ0ZZ;Q1MGR;2001-01\n");
    const std::string history =
        crlfLines({"Q0ZZ;Q1MGR;2001-01;b.csv", "Q1ABC;Q2MGR;2019-03;a.csv", "Q1ABC;Q2MGR;2019-03;b.csv",
                   "Q1ABC;Q5NEW;2024-05-10;OTHER LIST", "Q1ABC/P;Q4MGR;;a.csv", "QA/Q1ABC;Q3POR;2020-01;a.csv"});
    for (const auto& files : {std::vector<std::string>{"a.csv", "dir/b.csv"}, {"dir/b.csv", "a.csv"}}) {
        ImportJob(state, status, files, ImportMode::Replace).run();
        EXPECT_EQ(readFile("QSLHIST.CSV"), history) << files.front();
    }
    EXPECT_EQ(readFile("QSL.TXT"),
              crlfLines({listLine("Q1ABC", "QSL via Q5NEW (Ex-Q2MGR)"), listLine("Q0ZZ", "QSL via Q1MGR "),
                         listLine("QA/Q1ABC", "QSL via Q3POR "), listLine("Q1ABC/P", "QSL via Q4MGR ")}));
    EXPECT_EQ(readFile("QSLHIST.BAK"), history);
}

// Merging adds the rows to the history there; a line it cannot keep is logged.
TEST_F(ImportJobTest, MergeAddsTheRowsToThePresentHistory)
{
    writeFile("QSL.TXT", crlfLines({listLine("Q1ABC", "QSL via Q2MGR ")}));
    writeFile("QSLHIST.CSV", "Q1ABC;Q2MGR;2019-03;OLD.CSV\r\nQ#1;Q2MGR;2019-03;OLD.CSV\r\nQ7XYZ;Q8MGR;;OLD.CSV\r\n");
    import("Q1ABC;Q3NEW;2024-01\n", ImportMode::Merge);
    EXPECT_EQ(readFile("QSLHIST.CSV"),
              crlfLines({"Q1ABC;Q2MGR;2019-03;OLD.CSV", "Q1ABC;Q3NEW;2024-01;list.csv", "Q7XYZ;Q8MGR;;OLD.CSV"}));
    EXPECT_EQ(readFile("QSL.TXT"), crlfLines({listLine("Q1ABC", "QSL via Q2MGR ")}));
    EXPECT_EQ(loggedLines(),
              (std::vector<std::string>{listLine("Q1ABC", "QSL via Q2MGR "),
                                        "Failure: Q1ABC has the manager Q3NEW in the imported list; its line is left "
                                        "as it was.",
                                        "Q#1;Q2MGR;2019-03;OLD.CSV",
                                        "Failure: the call Q#1 is not a call; the row is not imported."}));
}

// The history exported and imported into an empty folder is the same history.
TEST(ImportedHistory, ExportThenImportGivesTheSameHistory)
{
    std::mt19937 random(11);
    std::string rows;
    for (int row = 0; row < 5000; ++row) {
        const std::string call = (row % 7 == 0 ? "QA/Q" : "Q") + std::to_string(random() % 900) + "HR";
        rows += call + ";Q" + std::to_string(random() % 40) + "M;" + std::to_string(2000 + random() % 25) + "-0" +
                std::to_string(1 + random() % 9) + (random() % 2 ? "-1" + std::to_string(random() % 10) : "") +
                (random() % 3   ? ""
                 : random() % 2 ? ";ALPHA"
                                : ";BETA") +
                "\n";
    }
    test::MemoryFiles mine;
    mine.files["rows one.csv"] = rows;
    JobState state;
    RecordingStatus status;
    ImportJob(state, status, "rows one.csv", ImportMode::Replace, mine).run();
    HistoryExportJob(state, status, "SHARED.CSV", mine).run();
    EXPECT_TRUE(mine.files["SHARED.CSV"].starts_with("CALL;MANAGER;DATE;SOURCE\r\n"));

    test::MemoryFiles theirs;
    theirs.files["SHARED.CSV"] = mine.files["SHARED.CSV"];
    ImportJob(state, status, "SHARED.CSV", ImportMode::Replace, theirs).run();
    EXPECT_TRUE(theirs.files["QSLHIST.CSV"] == mine.files["QSLHIST.CSV"]);
    for (const std::string source : {";rows one.csv\r\n", ";ALPHA\r\n", ";BETA\r\n"})
        EXPECT_NE(mine.files["QSLHIST.CSV"].find(source), std::string::npos) << source;
    EXPECT_EQ(theirs.files.count("BORVELIN.LOG"), 0u);
}

} // namespace
} // namespace borvelin
