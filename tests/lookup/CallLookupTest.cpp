// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/CallLookup.h"
#include "lookup/HitTexts.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <sstream>

namespace borvelin {
namespace {

using test::listLine;

std::vector<LookupAnswer> lookUp(const std::vector<std::string>& calls, const std::vector<std::string>& lines)
{
    test::MemoryFiles files;
    files.files["QSL.TXT"] = test::crlfLines(lines);
    return lookUpCalls(calls, files);
}

std::vector<std::uint64_t> lineNumbers(const LookupAnswer& answer)
{
    std::vector<std::uint64_t> numbers;
    for (const LookupHit& hit : answer.hits)
        numbers.push_back(hit.lineNumber);
    return numbers;
}

TEST(CallLookup, MatchesIgnoringCaseAndPortableParts)
{
    const std::vector<std::string> lines = {
        listLine("Q1ABC", "QSL via Q2MGR"),             // 1
        listLine("QA/Q1ABC", "QSL via Home Call"),      // 2
        listLine("q1abc/p", "QSL via Q3MGR"),           // 3
        listLine("Q1ABCD", "QSL via Q2MGR"),            // 4: another call
        listLine("Q2XYZ", "QSL via Q1ABC"),             // 5: names Q1ABC as manager only
        listLine("XYZLAND", "QSL Bureau, Box 9, City"), // 6
        "Q1ABC",                                        // 7: a short line still names it
    };
    const std::pair<std::string, std::vector<std::uint64_t>> cases[] = {
        {"Q1ABC", {1, 2, 3, 7}},
        {"q1abc", {1, 2, 3, 7}},
        {"Q1ABC/P", {1, 2, 3, 7}},
        {"QB/Q1ABC/M", {1, 2, 3, 7}},
        {"Q1ABCD", {4}},
        {"Q1AB", {}},
        {"Q2XYZ", {5}},
        {"xyzland", {6}},
        {"", {}},
    };
    std::vector<std::string> calls;
    for (const auto& [call, numbers] : cases)
        calls.push_back(call);
    const std::vector<LookupAnswer> answers = lookUp(calls, lines);
    ASSERT_EQ(answers.size(), calls.size());
    for (std::size_t index = 0; index < calls.size(); ++index) {
        EXPECT_EQ(answers[index].call, calls[index]);
        EXPECT_EQ(lineNumbers(answers[index]), cases[index].second) << calls[index];
    }
}

TEST(CallLookup, GivesEachRouteInWordsWithItsRemarks)
{
    struct RouteCase {
        std::string line;
        RouteKind route;
        std::string words;
        std::vector<std::string> remarks;
    };
    const RouteCase cases[] = {
        {listLine("Q1ABC", "QSL via Q2MGR New Manager (Ex-Q4OLD)"),
         RouteKind::Manager,
         "QSL via the manager Q2MGR",
         {"New Manager", "Ex-Q4OLD"}},
        {listLine("QA/Q1ABC", "QSL via Home Call"), RouteKind::HomeCall, "QSL via the home call Q1ABC", {}},
        {listLine("Q1ABC/P", "QSL via Home Call"), RouteKind::HomeCall, "QSL via the home call Q1ABC", {}},
        {listLine("QA/Q1ABC", "QSL via Q1ABC only direct"),
         RouteKind::Manager,
         "QSL via the manager Q1ABC",
         {"only direct"}},
        {listLine("Q1ABC", "P.O. Box 12, Main Street 3, City (see also Q3XYZ)"),
         RouteKind::Direct,
         "direct to P.O. Box 12, Main Street 3, City (see also Q3XYZ)",
         {"see also Q3XYZ"}},
        {listLine("Q1ABC", "NOT via Q2MGR! new info"), RouteKind::NotVia, "NOT via Q2MGR", {}},
        {listLine("Q1ABC", "NOT via Q2MGR, Box 1, City"),
         RouteKind::NotVia,
         "NOT via Q2MGR; direct to Box 1, City",
         {}},
        {listLine("Q1ABC", "NOT MORE Q2MGR "), RouteKind::NotMore, "NOT MORE via Q2MGR", {}},
        {listLine("Q1ABC", "NOT LONGER Q2MGR "), RouteKind::NotLonger, "NOT LONGER via Q2MGR", {}},
        {listLine("Q1ABC", "PIRATE"), RouteKind::Pirate, "PIRATE: not the station itself; no card", {}},
        {listLine("Q1ABC", "QSL via Q2MGR (for Q5XYZ) himself via Q6ABC "),
         RouteKind::Manager,
         "QSL via the manager Q2MGR",
         {"for Q5XYZ", "himself via Q6ABC"}},
        {"Q1ABC QSL via Q2MGR", RouteKind::None, "no route the list's grammar can read", {}},
    };
    for (const RouteCase& routeCase : cases) {
        const auto answers = lookUp({"Q1ABC"}, {routeCase.line});
        ASSERT_EQ(answers.at(0).hits.size(), 1u) << routeCase.line;
        const LookupHit& hit = answers[0].hits[0];
        EXPECT_EQ(hit.line, routeCase.line);
        EXPECT_EQ(hit.route, routeCase.route) << routeCase.line;
        EXPECT_EQ(routeInWords(hit), routeCase.words) << routeCase.line;
        EXPECT_EQ(hit.remarks, routeCase.remarks) << routeCase.line;
    }
    const auto bureau = lookUp({"XYZLAND"}, {listLine("XYZLAND", "QSL Bureau, P.O. Box 9, Capital City")});
    EXPECT_EQ(routeInWords(bureau.at(0).hits.at(0)), "bureau: QSL Bureau, P.O. Box 9, Capital City");
}

// The answer warns of a manager the list marks PIRATE, or that a line of the station
// says NOT via, where the command line and the window show it.
TEST(CallLookup, WarnsOfAManagerTheListSpeaksAgainst)
{
    const std::vector<std::string> lines = {
        listLine("Q3DEF", "QSL via Q4MGR "),  listLine("Q4MGR", "PIRATE"),        listLine("Q1ABC", "QSL via q2mgr "),
        listLine("Q1ABC", "NOT MORE Q2MGR "), listLine("Q5OK", "QSL via Q2MGR "),
    };
    test::MemoryFiles files;
    files.files["QSL.TXT"] = test::crlfLines(lines);
    const auto list = files.openInput("QSL.TXT");
    const std::string text = lookUpText({"Q3DEF", "Q1ABC/P", "Q5OK"}, *list);
    EXPECT_NE(text.find("    Q3DEF        QSL via Q4MGR\n  note: the list marks Q4MGR PIRATE on line 2\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  note: line 4 says NOT MORE Q2MGR\nQ5OK\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("note", text.find("Q5OK\n")), std::string::npos) << text;
}

// The history of every form of the call asked, oldest first, a month with two managers
// marked; a call only the history has is still shown, as not in QSL.TXT.
TEST(CallLookup, ShowsTheHistoryAfterTheLines)
{
    test::MemoryFiles files;
    files.files["QSL.TXT"] = test::crlfLines({listLine("Q1ABC", "QSL via Q3NEW ")});
    files.files["QSLHIST.CSV"] = "Q1ABC;Q3NEW;2024-05;LISTA.CSV\r\n"
                                 "Q1ABC;Q2OLD;2019-03;LISTA.CSV\r\n"
                                 "Q1ABC;Q4OTH;2024-05-10;LISTB.CSV\r\n"
                                 "Q1ABC;Q6UND;;LISTB.CSV\r\n"
                                 "Q1ABCD;Q9MGR;2020-01;LISTA.CSV\r\n"
                                 "QA/Q1ABC;Q5POR;2021-02;LISTB.CSV\r\n"
                                 "Q7XYZ;Q8MGR;2020-01\r\n";
    const auto list = files.openInput("QSL.TXT");
    const auto history = files.openInput("QSLHIST.CSV");
    EXPECT_EQ(lookUpText({"q1abc/p", "Q7XYZ"}, *list, history.get()),
              "q1abc/p\n"
              "  line 1: QSL via the manager Q3NEW\n"
              "    Q1ABC        QSL via Q3NEW\n"
              "  history of Q1ABC, oldest first:\n"
              "    (no date)   Q6UND         LISTB.CSV\n"
              "    2019-03     Q2OLD         LISTA.CSV\n"
              "    2024-05     Q3NEW         LISTA.CSV  (two managers in 2024-05)\n"
              "    2024-05-10  Q4OTH         LISTB.CSV  (two managers in 2024-05)\n"
              "  history of QA/Q1ABC, oldest first:\n"
              "    2021-02     Q5POR         LISTB.CSV\n"
              "Q7XYZ: not in QSL.TXT\n"
              "  history of Q7XYZ, oldest first:\n"
              "    2020-01     Q8MGR         QSLHIST.CSV\n");
}

} // namespace
// Beyond its budget the text goes to a temporary file, and comes back whole and in order.
TEST(HitTexts, TextsComeBackWholeWhetherKeptInMemoryOrOnTheTemporaryFile)
{
    for (const std::size_t budget : {std::size_t{0}, std::size_t{10}, HitTexts::DefaultBudget}) {
        HitTexts texts(budget);
        std::vector<std::string> expected(3);
        for (std::size_t home = 0; home < expected.size(); ++home)
            texts.addHome();
        for (int piece = 0; piece < 50; ++piece) {
            const std::size_t home = static_cast<std::size_t>(piece) % 3 == 2 ? 0 : static_cast<std::size_t>(piece) % 2;
            const std::string text = "  line " + std::to_string(piece) + ": piece\n";
            texts.append(home, text);
            expected[home] += text;
        }
        for (std::size_t home = 0; home < expected.size(); ++home) {
            EXPECT_EQ(texts.textOf(home), expected[home]) << "budget " << budget << ", home " << home;
            std::ostringstream written;
            texts.writeTo(home, written);
            EXPECT_EQ(written.str(), expected[home]);
        }
    }
}

} // namespace borvelin
