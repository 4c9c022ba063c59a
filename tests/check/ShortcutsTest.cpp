// SPDX-License-Identifier: GPL-3.0-or-later
// Check List's shortcuts must give what the long way gives: the plain "QSL via" line
// against the grammar, and the quick call-shape test against the call shape's own.
#include "check/LineChecks.h"
#include "check/PlainLine.h"
#include "listline/CallShape.h"
#include "listline/LineFailureLog.h"
#include "listline/ListLineParser.h"
#include "listline/RouteReader.h"
#include "support/GeneratedLists.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <random>

namespace borvelin {
namespace {

using test::listLine;

TEST(Shortcuts, PlainManagerLineReadsAsTheGrammarReadsIt)
{
    std::vector<std::string> lines = test::linesOf(test::generatedList(30000, 2000, 5));
    for (const std::string& line :
         {listLine("Q1ABC", "QSL via Q2MGR"), listLine("QA/Q1ABC", "qsl VIA Q1ABC", 60), listLine("Q1ABC", "QSL via "),
          listLine("Q1ABC", "QSL via Q2MGR x"), listLine("Q1ABC", "QSL via Home Call"),
          listLine("QABC", "QSL via Q2MGR"), listLine("Q1ABC", "QSL via Q2(for"), listLine("Q1ABC", "QSL via Q2EX-1"),
          listLine("Q1ABC", "QSL viaXQ2MGR"), listLine("Q1", "QSL via Q2MGR")})
        lines.push_back(line);
    IgnoredFailures log;
    ListLineParser parser(log);
    RouteReader routes;
    std::size_t plain = 0;
    for (std::string line : lines) {
        const std::string_view manager = plainManagerOf(line);
        if (manager.empty())
            continue;
        ++plain;
        const std::string expected(manager);
        ListEntry entry;
        parser.parse(line, entry);
        const LineRoute route = routes.routeOf(line, entry);
        EXPECT_EQ(route.kind, RouteKind::Manager) << line;
        EXPECT_EQ(route.call, expected) << line;
        EXPECT_EQ(entry.SeeAlsoCall, "") << line;
    }
    EXPECT_GT(plain, lines.size() / 2);
}

TEST(Shortcuts, QuickCallShapeIsTheCallShape)
{
    std::vector<std::string> calls = {"",        "Q1ABC",        "q1abc",         "QABC",   "12345", "Q-1",
                                      "Q1ABC/P", "Q12345678901", "Q123456789012", "Q1\xc9", "Q1 A",  "1Q"};
    std::mt19937 random(3);
    const std::string bytes = "QA1z9/-% \t\x80";
    for (int i = 0; i < 5000; ++i) {
        std::string call;
        for (std::size_t n = random() % 14; n > 0; --n)
            call += bytes[random() % bytes.size()];
        calls.push_back(call);
    }
    for (const std::string& call : calls)
        EXPECT_EQ(isWellFormed(call), callshape::isWellFormedCall(call)) << call;
}

} // namespace
} // namespace borvelin
