// SPDX-License-Identifier: GPL-3.0-or-later
// The station dialog's findings come from Check List's own checks of one line: on every
// line of the fuzz corpus and of the example list they are Check List's rows, to the byte.
#include "keptlist/LineFindings.h"
#include "check/CheckJob.h"
#include "jobs/JobError.h"
#include "jobs/JobState.h"
#include "keptlist/CheckFindings.h"
#include "keptlist/FindingRow.h"
#include "keptlist/ListFile.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace borvelin {
namespace {

using test::readFile;
using test::TestDirectory;
using test::writeFile;

// The codes that need the whole list.
const std::set<int> CrossLineCodes = {4, 5, 6, 7, 9, 10};

std::vector<std::string> checkListRowsOfOneLine(const std::string& qslchk)
{
    std::vector<std::string> rows;
    std::string_view rest = qslchk;
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        const std::string_view row = rest.substr(0, end);
        rest.remove_prefix(end + 2);
        const auto finding = parseFindingRow(row);
        if (finding && !CrossLineCodes.contains(finding->code))
            rows.emplace_back(row);
    }
    return rows;
}

// Check List on the list `bytes`, beside the one-line checks of each of its lines.
void expectAgreement(const std::string& bytes, const std::string& what)
{
    const TestDirectory directory;
    writeFile("QSL.TXT", bytes);
    JobState state;
    test::RecordingStatus status;
    CheckJob job(state, status);
    job.run();
    const std::vector<std::string> expected = checkListRowsOfOneLine(readFile("QSLCHK.CSV"));
    const ListFile list("QSL.TXT");
    std::vector<std::string> lines;
    list.readLines(0, list.lineCount(), lines);
    LineFindings findings;
    std::vector<std::string> found;
    for (std::size_t index = 0; index < lines.size(); ++index)
        for (std::string& row : findings.rowsOf(lines[index], index + 1))
            found.push_back(std::move(row));
    EXPECT_EQ(found, expected) << what;
}

TEST(LineFindings, AgreeWithCheckListOnTheFuzzCorpus)
{
    const std::filesystem::path corpus = BORVELIN_SOURCE_DIR "/tests/fuzz/corpus/list-line";
    std::string everyLine;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string bytes = readFile(entry.path());
        expectAgreement(bytes, entry.path().filename().string());
        everyLine += bytes + "\r\n";
    }
    expectAgreement(everyLine, "the corpus as one list");
}

// Short lines, which the grammar reads as blanks, and the faults of one line.
TEST(LineFindings, AgreeWithCheckListOnLinesOfEveryKind)
{
    expectAgreement("XYZLAND\r\nQX\r\nQ1ABC\r\n\r\n   \r\nXYZLAND      QSL Bureau only\r\n"
                    "Q1ABC        QSL via Q1ABC\r\nQ1ABC         QSL via Q2MGR\r\nQ1ABC\t       QSL via Q2MGR\r\n"
                    "Q1ABC        QSL via Q%GL (for Q5XYZ\r\nQ-11734      NOT via Q2MGR (Ex-Q4OLD\r\n"
                    "Q1ABCDEFGHIJKL QSL via\r\n",
                    "lines of every kind");
}

TEST(LineFindings, AgreeWithCheckListOnTheExampleList)
{
    expectAgreement(readFile(BORVELIN_SOURCE_DIR "/example/QSL.TXT"), "example/QSL.TXT");
}

TEST(CheckFindings, FindsALinesFindingsEvenWhenItsCallHoldsASemicolon)
{
    const TestDirectory directory;
    writeFile("QSLCHK.CSV", "2;warning;C2;Q1;AB;the station's call is not a well-formed call\r\n"
                            "5;note;C8;Q5X;the station is listed as its own manager\r\n"
                            "5;error;C3;Q5X;\"QSL via\" names no call\r\n");
    CheckFindings findings("QSLCHK.CSV");
    const auto ofLine2 = findings.of(2, "Q1;AB");
    ASSERT_EQ(ofLine2.size(), 1u);
    EXPECT_EQ(findingInWords(ofLine2.front()), "warning C2: the station's call is not a well-formed call");
    EXPECT_EQ(findings.of(5, "Q5X").size(), 2u);
    EXPECT_FALSE(findings.has(3));

    findings.moveLines([](std::uint64_t line) -> std::optional<std::uint64_t> {
        if (line == 2)
            return std::nullopt; // the line was changed
        return line + 1;
    });
    EXPECT_FALSE(findings.has(2));
    EXPECT_TRUE(findings.has(6));
    std::vector<std::uint64_t> lines;
    findings.linesBetween(1, 10, [&lines](std::uint64_t line) { lines.push_back(line); });
    EXPECT_EQ(lines, std::vector<std::uint64_t>{6});
}

// More rows than one block holds: every row is found, wherever the blocks cut them.
TEST(CheckFindings, FindsEveryRowOfALongFile)
{
    const TestDirectory directory;
    std::string csv;
    for (int line = 1; line <= 40000; ++line)
        csv += std::to_string(line) + ";note;C5;Q" + std::to_string(line) + "X;the same line as line " +
               std::to_string(line - 1) + (line % 3 == 0 ? "\n" : "\r\n");
    writeFile("QSLCHK.CSV", csv);
    const CheckFindings findings("QSLCHK.CSV");
    for (const int line : {1, 64, 65, 20000, 26215, 39999, 40000}) {
        const auto found = findings.of(static_cast<std::uint64_t>(line), "Q" + std::to_string(line) + "X");
        ASSERT_EQ(found.size(), 1u) << line;
        EXPECT_EQ(found.front().message, "the same line as line " + std::to_string(line - 1)) << line;
    }
    std::uint64_t lines = 0;
    findings.linesBetween(1, 50000, [&lines](std::uint64_t) { ++lines; });
    EXPECT_EQ(lines, 40000u);
}

TEST(CheckFindings, RowsOutOfTheLinesOrderAreRefused)
{
    const TestDirectory directory;
    writeFile("QSLCHK.CSV", "5;note;C8;Q5X;the station is listed as its own manager\r\n"
                            "2;note;C8;Q2X;the station is listed as its own manager\r\n");
    EXPECT_THROW(CheckFindings("QSLCHK.CSV"), JobError);
}

} // namespace
} // namespace borvelin
