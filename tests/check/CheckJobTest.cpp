// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CheckJob.h"
#include "CheckResults.h"
#include "jobs/JobError.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace borvelin {
namespace {

using test::checkInMemory;
using test::crlfLines;
using test::LineCode;
using test::lineCodes;
using test::listLine;

struct LineCase {
    const char* what;
    std::string line;
    std::set<int> codes;
};

// Each line is checked as a list of its own.
TEST(CheckJob, CodesOfOneLine)
{
    const LineCase cases[] = {
        {"manager", listLine("Q1ABC", "QSL via Q2MGR"), {}},
        {"keywords in small letters", listLine("q1abc", "qsl via q2mgr"), {}},
        {"home call", listLine("QA/Q1ABC", "QSL via Home Call"), {}},
        {"home call, no prefix", listLine("Q1ABC", "QSL via Home Call"), {}},
        {"portable with remarks", listLine("Q1ABC/P", "QSL via Q2MGR (Ex-Q4OLD) New Manager", 80), {}},
        {"direct", listLine("Q1ABC", "P.O. Box 12, Main Street 3, 99 City, Xyzland"), {}},
        {"bureau", listLine("XYZLAND", "QSL Bureau, P.O. Box 9, Capital City, Xyzland"), {}},
        {"NOT via !", listLine("Q1ABC", "NOT via Q2MGR! new info"), {}},
        {"NOT via, address", listLine("Q1ABC", "NOT via Q2MGR, Box 1, City"), {}},
        {"NOT MORE", listLine("Q1ABC", "NOT MORE Q2MGR "), {}},
        {"NOT LONGER", listLine("Q1ABC", "NOT LONGER Q2MGR "), {}},
        {"PIRATE", listLine("Q1ABC", "PIRATE"), {}},
        {"for, only direct, himself via",
         listLine("Q1ABC", "QSL via Q2MGR only direct (for Q5XYZ) himself via Q6A "),
         {}},
        {"C1 bureau failure and C13", listLine("XYZLAND", "QSL Bureau only"), {1, 13}},
        {"C1 open bracket", listLine("Q1ABC", "QSL via Q2MGR (for Q5XYZ", 116), {1}},
        {"C1 Ex- without bracket", listLine("Q1ABC", "QSL via Q2MGR (Ex-Q4OLD"), {1}},
        {"C1 blank line", "", {1}},
        {"C2 station", listLine("Q-11734", "QSL via Q2MGR"), {2}},
        {"C2 station read as a bureau", listLine("Q%GL", "QSL via Q2MGR"), {1, 2}},
        {"C3 manager", listLine("Q1ABC", "QSL via Q-11734 "), {3}},
        {"C3 no manager", listLine("Q1ABC", "QSL via "), {3}},
        {"C3 see also", listLine("Q1ABC", "QSL via Q2MGR (see also Q%GL)"), {3}},
        {"C3 NOT via", listLine("Q1ABC", "NOT via Q2-MGR! new info"), {3}},
        {"C8 own manager", listLine("Q1ABC", "QSL via Q1ABC"), {8}},
        {"C11 keyword before column 14", "Q1ABC QSL via Q2MGR", {11}},
        {"C11 keyword at column 15", listLine("Q1ABC", " QSL via Q2MGR"), {11}},
        {"C11 short call read as a bureau", "Q1A   NOT via Q2MGR! new info", {1, 11, 13}},
        {"C12 byte over 127 in the call",
         listLine("Q1\xc9"
                  "BC",
                  "QSL via Q2MGR"),
         {12}},
        {"C12 tab in the manager", listLine("Q1ABC", "QSL via Q2\tMGR "), {12}},
        {"C13 bureau name alone", listLine("XYZLAND", "", 20), {1, 13}},
        {"C13 short bureau line", "XYZLAND", {1, 13}},
        {"short station line", "Q1ABC", {1}},
    };
    for (const LineCase& lineCase : cases) {
        std::set<LineCode> expected;
        for (const int code : lineCase.codes)
            expected.emplace(1, code);
        EXPECT_EQ(lineCodes(checkInMemory({lineCase.line})), expected) << lineCase.what;
    }
}

TEST(CheckJob, CodesAcrossLines)
{
    const std::vector<std::string> lines = {
        listLine("Q1ABC", "QSL via Q2MGR"),                      // 1
        listLine("Q1ABC", "QSL via Q3MGR"),                      // 2
        listLine("Q2MGR", "PIRATE"),                             // 3
        listLine("Q4ABC", "QSL via Q3MGR (see also Q9ZZZ)"),     // 4
        listLine("Q3MGR", "QSL via Q5MGR"),                      // 5
        listLine("Q6ABC", "QSL via Q7MGR"),                      // 6
        listLine("Q6ABC", "NOT via Q7MGR! new info"),            // 7
        listLine("Q4ABC", "QSL via Q3MGR (see also Q9ZZZ)", 60), // 8: line 4 with trailing blanks
        listLine("QA/Q8ABC", "QSL via Home Call"),               // 9
        listLine("Q7ABC", "QSL via Q2MGR (see also Q8ABC/P)"),   // 10
        listLine("Q5MGR", "NOT MORE Q1XYZ "),                    // 11
        listLine("Q9ABC", "P.O. Box 1, Main Street 2, City"),    // 12
        listLine("q9abc", "P.O. Box 1,  Main Street 2,City"),    // 13: the same address
        listLine("QA/Q1ABC", "QSL via Q4MGR"),                   // 14: another station than Q1ABC
    };
    const std::set<LineCode> expected = {{1, 4}, {1, 7}, {2, 4}, {2, 9}, {4, 9},  {4, 10}, {5, 7},
                                         {6, 6}, {7, 6}, {8, 5}, {8, 9}, {8, 10}, {10, 7}};
    EXPECT_EQ(lineCodes(checkInMemory(lines)), expected);
}

TEST(CheckJob, RowsNameTheLineAndEndInCrLf)
{
    const std::string csv =
        checkInMemory({listLine("Q1ABC", "QSL via Q2MGR"), listLine("Q1ABC", "QSL via Q2MGR"), "XYZLAND"});
    EXPECT_EQ(csv, crlfLines({"2;note;C5;Q1ABC;the same line as line 1",
                              "3;error;C1;XYZLAND;List of 25+ logs: Failure:  is not a call or the buro is not "
                              "followed by an address.",
                              "3;error;C13;XYZLAND;the bureau line has no address"}));
}

TEST(CheckJob, WritesOnlyItsOwnFileAndReportsTheCountsPerCode)
{
    test::TestDirectory directory;
    test::writeFile("QSL.TXT", crlfLines({listLine("XYZLAND", "QSL Bureau only"), listLine("Q1ABC", "QSL via Q1ABC"),
                                          listLine("Q2ABC", "QSL via Q2ABC")}));
    JobState state;
    test::RecordingStatus status;
    CheckJob job(state, status);
    job.run();
    EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"QSL.TXT", "QSLCHK.CSV"}));
    EXPECT_EQ(job.tally().countOf(8), 2u);
    EXPECT_EQ(status.textsOf(1).back(), "Findings: C1 1, C8 2, C13 1");
}

// The share read, as the window's bar shows it.
class ShareRecorder : public StatusSink {
public:
    void setPanelText(int, const std::string&) override {}
    void showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll) override
    {
        shares.push_back(static_cast<double>(bytesRead) / static_cast<double>(bytesInAll));
    }
    std::vector<double> shares;
};

// Both passes read the list: the first shows as the bar's first half, the second as its
// second, so that the bar moves from the start to the end once.
TEST(CheckJob, BothPassesShowAsOneProgress)
{
    test::TestDirectory directory;
    std::vector<std::string> lines;
    for (int line = 0; line < 3 * static_cast<int>(ConversionJob::LinesPerBatch); ++line)
        lines.push_back(listLine("Q" + std::to_string(line % 10) + "A" + std::to_string(line), "QSL via Q2MGR"));
    test::writeFile("QSL.TXT", crlfLines(lines));
    JobState state;
    ShareRecorder status;
    CheckJob(state, status).run();
    ASSERT_GE(status.shares.size(), 6u);
    EXPECT_GT(status.shares.front(), 0.0);
    EXPECT_LE(status.shares.front(), 0.5);
    EXPECT_TRUE(std::is_sorted(status.shares.begin(), status.shares.end()));
    EXPECT_DOUBLE_EQ(status.shares.back(), 1.0);
    EXPECT_EQ(std::count(status.shares.begin(), status.shares.end(), 0.5), 1);
}

TEST(CheckJob, CleanListHasNoFindings)
{
    test::TestDirectory directory;
    test::writeFile("QSL.TXT", crlfLines({listLine("Q1ABC", "QSL via Q2MGR")}));
    JobState state;
    test::RecordingStatus status;
    CheckJob(state, status).run();
    EXPECT_EQ(test::readFile("QSLCHK.CSV"), "");
    EXPECT_EQ(status.textsOf(1).back(), "Findings: none");
}

// A list replaced or written to while it is checked (by FUL to TXT in another window, by
// an editor) would mix two lists in the findings: the job stops instead and writes nothing.
TEST(CheckJob, AListThatChangesBetweenOrDuringThePassesStopsTheJob)
{
    for (const int changedAfterOpening : {1, 2}) {
        test::MemoryFiles files;
        files.files = {{"QSL.TXT", crlfLines({listLine("Q1ABC", "QSL via Q2MGR"), listLine("Q1ABC", "QSL via Q3MGR")})},
                       {"QSLCHK.CSV", "earlier findings\r\n"}};
        files.afterOpen = [&](const std::string& name, int opened) {
            if (name == "QSL.TXT" && opened == changedAfterOpening)
                files.write("QSL.TXT", crlfLines({listLine("Q1ABC", "QSL via Q2MGR")}));
        };
        JobState state;
        test::RecordingStatus status;
        try {
            CheckJob(state, status, files).run();
            ADD_FAILURE() << "changed after opening " << changedAfterOpening << ": no error";
        } catch (const JobError& error) {
            EXPECT_EQ(error.number(), 75);
            EXPECT_EQ(error.fileName(), "QSL.TXT");
            EXPECT_EQ(error.text(), "Path/File access error (changed while it was read)");
        }
        EXPECT_EQ(files.files.at("QSLCHK.CSV"), "earlier findings\r\n");
        EXPECT_EQ(files.visibleFiles().size(), 2u);
    }
}

// C14 on every line of the station, after its other findings and in the order of the
// lines; the stations QSL.TXT lacks last, with line number 0.
TEST(CheckJob, HistoryConflictsOnEachLineOfTheStation)
{
    const std::vector<std::string> lines = {
        listLine("Q1ABC", "QSL via Q1ABC"),        // 1
        listLine("Q2DEF", "QSL via Q3MGR"),        // 2
        listLine("q1abc", "NOT via Q4OLD! moved"), // 3
        listLine("QA/Q1ABC", "QSL via Q5POR"),     // 4: another station
    };
    const std::string history = "Q0NEW;Q6MGR;2020-01;A.CSV\r\n"
                                "Q0NEW;Q7MGR;2020-01-15;B.CSV\r\n"
                                "Q1ABC;Q4OLD;2012-03;A.CSV\r\n"
                                "Q1ABC;Q8MGR;2012-03-31;B.CSV\r\n"
                                "Q1ABC;Q1ABC;2015-06;A.CSV\r\n"
                                "Q1ABC;Q8MGR;;A.CSV\r\n"
                                "Q1ABC;Q9MGR;;B.CSV\r\n"
                                "Q2DEF;Q3MGR;2015-06;A.CSV\r\n"
                                "Q2DEF;Q3MGR;2015-06-02;B.CSV\r\n";
    const std::string withoutDate =
        "the history gives Q8MGR (A.CSV) and Q9MGR (B.CSV) without a date, QSLHIST.CSV line 6";
    const std::string inMarch = "the history gives Q4OLD (A.CSV) and Q8MGR (B.CSV) in 2012-03, QSLHIST.CSV line 3";
    EXPECT_EQ(checkInMemory(lines, history),
              crlfLines({"1;note;C8;Q1ABC;the station is listed as its own manager",
                         "1;warning;C14;Q1ABC;" + withoutDate, "1;warning;C14;Q1ABC;" + inMarch,
                         "3;warning;C14;q1abc;" + withoutDate, "3;warning;C14;q1abc;" + inMarch,
                         "0;warning;C14;Q0NEW;the history gives Q6MGR (A.CSV) and Q7MGR (B.CSV) in 2020-01, "
                         "QSLHIST.CSV line 1; QSL.TXT has no line of the station"}));
}

} // namespace
} // namespace borvelin
