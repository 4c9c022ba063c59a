// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/StationFields.h"
#include "keptlist/KeptList.h"
#include "keptlist/RowOrder.h"
#include "keptlist/StationRow.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

namespace borvelin {

void PrintTo(const StationFields& fields, std::ostream* out)
{
    *out << '[' << fields.call << '|' << routeChoiceText(fields.route) << '|' << fields.managerOrAddress << '|'
         << fields.remarks << ']';
}

namespace {

using test::TestDirectory;
using test::writeFile;

struct FieldsCase {
    const char* line;
    StationFields fields;
};

// A line in the list's columns reads into its fields and is written back as it was.
TEST(StationFields, ReadAndWrittenBackAsTheyStand)
{
    const FieldsCase cases[] = {
        {"Q1ABC        QSL via Q2MGR", {"Q1ABC", RouteChoice::QslVia, "Q2MGR", ""}},
        {"Q1ABC/P      QSL via Q2MGR (Ex-Q4OLD) New Manager",
         {"Q1ABC/P", RouteChoice::QslVia, "Q2MGR", "(Ex-Q4OLD) New Manager"}},
        {"QA/Q1ABC     QSL via Home Call", {"QA/Q1ABC", RouteChoice::HomeCall, "", ""}},
        {"Q1ABC        NOT via Q3BAD! new info", {"Q1ABC", RouteChoice::NotVia, "Q3BAD", "! new info"}},
        {"Q1ABC        NOT via Q3BAD, Box 1, City", {"Q1ABC", RouteChoice::NotVia, "Q3BAD, Box 1, City", ""}},
        {"Q1ABC        NOT MORE Q4OLD", {"Q1ABC", RouteChoice::NotMore, "Q4OLD", ""}},
        {"Q1ABC        NOT LONGER Q4OLD", {"Q1ABC", RouteChoice::NotLonger, "Q4OLD", ""}},
        {"Q0HJ         PIRATE", {"Q0HJ", RouteChoice::Pirate, "", ""}},
        {"Q1ABC        P.O. Box 12, Main Street 3, 99 City",
         {"Q1ABC", RouteChoice::Direct, "P.O. Box 12, Main Street 3, 99 City", ""}},
        {"XYZLAND      QSL Bureau, P.O. Box 9, Capital City",
         {"XYZLAND", RouteChoice::Bureau, "QSL Bureau, P.O. Box 9, Capital City", ""}},
        {"Q1ABCDEFGHIJKL QSL via Q2MGR", {"Q1ABCDEFGHIJKL", RouteChoice::Direct, "QSL via Q2MGR", ""}},
    };
    for (const auto& [line, fields] : cases) {
        const StationRow row = readStationRow(line);
        EXPECT_EQ(row.fields, fields) << line;
        EXPECT_EQ(composeLine(row.fields), line) << line;
    }
}

// A keyword one column out is read as text, and written back at column 14.
TEST(StationFields, AMisplacedRouteComesBackToItsColumn)
{
    const StationRow row = readStationRow("Q1ABC         QSL via Q2MGR");
    EXPECT_EQ(row.route, RouteKind::None);
    EXPECT_EQ(composeLine(row.fields), "Q1ABC        QSL via Q2MGR");
}

TEST(StationFields, ANewStationStandsInTheListsColumns)
{
    const std::string line = composeLine({"q5new", RouteChoice::QslVia, "Q6MGR", "only direct"});
    EXPECT_EQ(line, "q5new        QSL via Q6MGR only direct");
    EXPECT_EQ(line.find("QSL via"), 13u); // column 14
    EXPECT_EQ(line.find("Q6MGR"), 21u);   // column 22
    const StationRow row = readStationRow(line);
    EXPECT_EQ(row.route, RouteKind::Manager);
    EXPECT_EQ(row.managerOrAddress, "Q6MGR");
}

TEST(StationRow, TheTableShowsTheRouteAsTheCommandsReadIt)
{
    const std::pair<const char*, std::pair<std::string_view, std::string>> cases[] = {
        {"Q1ABC        QSL via Q2MGR New Manager", {"QSL via", "Q2MGR"}},
        {"QA/Q1ABC     QSL via Home Call", {"QSL via Home Call", "Q1ABC"}},
        {"Q1ABC        NOT via Q3BAD, Box 1, City", {"NOT via", "Q3BAD; Box 1, City"}},
        {"XYZLAND      QSL Bureau, P.O. Box 9, Capital City", {"bureau", "QSL Bureau, P.O. Box 9, Capital City"}},
        {"Q1ABC         QSL via Q2MGR", {"no route", ""}},
        {"Q1ABC", {"bureau", ""}}, // a short line reads as a blank, as List of 25+ reads it
    };
    for (const auto& [line, expected] : cases) {
        const StationRow row = readStationRow(line);
        EXPECT_EQ(routeText(row.route), expected.first) << line;
        EXPECT_EQ(row.managerOrAddress, expected.second) << line;
    }
}

class Arranged : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFile("QSL.TXT", "Q9ZZ         QSL via Q1MGR\r\n"
                             "q1abc        QSL via Q3MGR\r\n"
                             "Q1AB         PIRATE\r\n"
                             "QA/Q1ABC     QSL via Q2MGR\r\n");
        list_ = std::make_unique<KeptList>("QSL.TXT");
    }

    std::vector<std::uint64_t> shown() const
    {
        std::vector<std::uint64_t> rows;
        for (std::uint64_t position = 0; position < order_.size(*list_); ++position)
            rows.push_back(order_.rowAt(position));
        return rows;
    }

    TestDirectory directory_;
    std::unique_ptr<KeptList> list_;
    RowOrder order_;
};

TEST_F(Arranged, ByCallByManagerAndOnlySomeRows)
{
    order_.arrange(*list_, SortKey::Call, false, nullptr);
    EXPECT_EQ(shown(), (std::vector<std::uint64_t>{2, 1, 0, 3})); // Q1AB, q1abc, Q9ZZ, QA/Q1ABC
    order_.arrange(*list_, SortKey::Call, true, nullptr);
    EXPECT_EQ(shown(), (std::vector<std::uint64_t>{3, 0, 1, 2}));
    order_.arrange(*list_, SortKey::Manager, false, nullptr);
    EXPECT_EQ(shown(), (std::vector<std::uint64_t>{0, 3, 1, 2})); // no manager last
    const std::vector<std::uint32_t> only{1, 3};
    order_.arrange(*list_, SortKey::Manager, false, &only);
    EXPECT_EQ(shown(), (std::vector<std::uint64_t>{3, 1}));
}

TEST_F(Arranged, EditsKeepTheOtherRowsInTheirPlaces)
{
    order_.arrange(*list_, SortKey::Call, false, nullptr); // 2 1 0 3
    list_->insertRow(1, "Q0NEW        PIRATE");
    order_.rowInserted(1, 1);
    EXPECT_EQ(shown(), (std::vector<std::uint64_t>{3, 1, 2, 0, 4}));
    list_->eraseRow(3); // Q1AB, shown first
    EXPECT_EQ(order_.rowErased(3), 0u);
    EXPECT_EQ(shown(), (std::vector<std::uint64_t>{1, 2, 0, 3}));
    EXPECT_EQ(order_.positionOf(0), 2u);
}

TEST_F(Arranged, FindsAStationAsALookupDoes)
{
    EXPECT_EQ(findStation(*list_, "Q1ABC"), 1u);
    EXPECT_EQ(findStation(*list_, "q1abc/p"), 1u);
    EXPECT_EQ(findStation(*list_, "Q1ABC", 2), 3u); // QA/Q1ABC
    EXPECT_EQ(findStation(*list_, "Q1A"), std::nullopt);
}

} // namespace
} // namespace borvelin
