// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/LineRoute.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

namespace borvelin {
namespace {

using layout::Keyword;
using test::listLine;

// Whole calls where the grammar of List of 25+ keeps its cuts as they fall.
TEST(LineRoute, CallsEndWhereTheCallDoes)
{
    struct Case {
        std::string line;
        std::string call;
        std::string manager;
        bool pirate;
        Keyword notRoute;
        std::string notCall;
    };
    const std::vector<Case> cases = {
        {listLine("q1abc", "QSL via q2mgr"), "Q1ABC", "Q2MGR", false, Keyword::Count, ""},
        {listLine("Q1ABC", "qsl VIA Q2MGR (Ex-Q3OLD)"), "Q1ABC", "Q2MGR", false, Keyword::Count, ""},
        {listLine("Q1ABC", "QSL via Q%GL "), "Q1ABC", "", false, Keyword::Count, ""},
        {listLine("QA/Q1ABC/P", "QSL via Home Call"), "QA/Q1ABC/P", "Q1ABC", false, Keyword::Count, ""},
        {listLine("QA/Q1ABC", "PIRATE, QSL via Home Call"), "QA/Q1ABC", "Q1ABC", true, Keyword::Count, ""},
        {listLine("Q1ABC", "NOT via Q2MGR! new info"), "Q1ABC", "", false, Keyword::NotVia, "Q2MGR"},
        {listLine("Q1ABC", "NOT via Q2MGR, Box 1, City"), "Q1ABC", "", false, Keyword::NotVia, "Q2MGR"},
        {listLine("Q1ABC", "NOT LONGER QA/Q2MGR since 2024"), "Q1ABC", "", false, Keyword::NotLonger, "QA/Q2MGR"},
        {listLine("Q1ABC", "NOT MORE Q2MGR"), "Q1ABC", "", false, Keyword::NotMore, "Q2MGR"},
        {listLine("Q1ABC", "Box 1, QSL via Q2MGR"), "Q1ABC", "", false, Keyword::Count, ""},
        {"   QSL via Q2MGR", "", "", false, Keyword::Count, ""},
    };
    for (const Case& c : cases) {
        const LineRoute route = routeOfLine(c.line);
        EXPECT_EQ(route.call, c.call) << c.line;
        EXPECT_EQ(route.manager, c.manager) << c.line;
        EXPECT_EQ(route.pirate, c.pirate) << c.line;
        EXPECT_EQ(route.notRoute, c.notRoute) << c.line;
        EXPECT_EQ(route.notCall, c.notCall) << c.line;
    }
}

} // namespace
} // namespace borvelin
