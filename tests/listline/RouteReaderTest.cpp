// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/RouteReader.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

namespace borvelin {
namespace {

using test::listLine;

TEST(RouteReader, ReadsTheRouteTheGrammarCuts)
{
    struct Case {
        std::string line;
        RouteKind kind;
        std::string call;
        bool wellFormed;
    };
    const std::vector<Case> cases = {
        {listLine("q1abc", "QSL via q2mgr"), RouteKind::Manager, "q2mgr", true},
        {listLine("Q1ABC", "qsl VIA Q2MGR (Ex-Q3OLD)"), RouteKind::Manager, "Q2MGR", true},
        // A manager that is no call is read as it stands: no part of it is taken for one.
        {listLine("Q1ABC", "QSL via q2mgr)"), RouteKind::Manager, "q2mgr)", false},
        {listLine("Q1ABC", "QSL via Q2MGR, only direct"), RouteKind::Manager, "Q2MGR,", false},
        {listLine("Q1ABC", "QSL via Q%GL "), RouteKind::Manager, "Q%GL", false},
        {listLine("QA/Q1ABC/P", "QSL via Home Call"), RouteKind::HomeCall, "Q1ABC", true}, // not Q1ABC/P
        {listLine("QA/Q1ABC", "PIRATE, QSL via Home Call"), RouteKind::Pirate, "", false},
        {listLine("Q1ABC", "NOT via Q2MGR! new info"), RouteKind::NotVia, "Q2MGR", true},
        {listLine("Q1ABC", "NOT via Q2MGR, Box 1, City"), RouteKind::NotVia, "Q2MGR", true},
        {listLine("Q1ABC", "NOT LONGER QA/Q2MGR since 2024"), RouteKind::NotLonger, "QA/Q2MGR", true},
        {listLine("Q1ABC", "NOT MORE Q2MGR"), RouteKind::NotMore, "Q2MGR", true}, // the line ends at the call
        {listLine("QA/Q1ABC", "QSL via Q2MGR"), RouteKind::Manager, "Q2MGR", true},
        {listLine("Q1ABC", "Box 1, QSL via Q2MGR"), RouteKind::None, "", false}, // the keyword is out of place
        // A short line is a blank to the grammar, and a line without a call at column 1 a
        // bureau's, as List of 25+ logs them.
        {"Q1ABC QSL", RouteKind::Bureau, "", false},
        {"   QSL via Q2MGR", RouteKind::Bureau, "", false},
    };
    RouteReader reader;
    for (const Case& c : cases) {
        const LineRoute route = reader.read(c.line);
        EXPECT_EQ(route.kind, c.kind) << c.line;
        EXPECT_EQ(route.call, c.call) << c.line;
        EXPECT_EQ(route.namesWellFormedCall(), c.wellFormed) << c.line;
    }
}

} // namespace
} // namespace borvelin
