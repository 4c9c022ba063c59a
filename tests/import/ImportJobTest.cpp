// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportJob.h"
#include "jobs/JobError.h"
#include "managers/List25Job.h"
#include "support/JobTest.h"
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

} // namespace
} // namespace borvelin
