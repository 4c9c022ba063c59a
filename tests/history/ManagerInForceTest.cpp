// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ManagerInForce.h"
#include "history/HistoryEntry.h"
#include "history/ImportRow.h"
#include "history/SourceNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace borvelin {
namespace {

// "DATE MANAGER" pairs of one call, from source A.
std::vector<HistoryEntry> linesOf(const std::vector<std::pair<std::string, std::string>>& dated)
{
    std::vector<HistoryEntry> lines;
    for (const auto& [date, manager] : dated)
        lines.push_back({ShortCall("Q1ABC"), ShortCall(manager), dateOrder(date), 0});
    std::stable_sort(lines.begin(), lines.end(), historyOrder);
    return lines;
}

// The kind, and the managers of the month that holds, for a QSO's month.
TEST(ManagerInForce, MonthsHoldFromTheirFirstDayUntilTheNextMonthWithALine)
{
    using Kind = ManagerInForce::Kind;
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> lines;
        std::int32_t qsoMonth;
        Kind kind;
        std::string managers; // of the month that holds, by SourceNames "A"
    };
    const std::vector<std::pair<std::string, std::string>> three = {
        {"2012-03-20", "Q2OLD"}, {"2016-07", "Q3MID"}, {"2020-01-05", "Q4NEW"}};
    const Case cases[] = {
        {"in the newest month: the list holds", three, 202001, Kind::ListHolds, ""},
        {"after it: the list holds", three, 202405, Kind::ListHolds, ""},
        {"the month before the newest", three, 201912, Kind::Dated, "Q3MID (A)"},
        {"the first day of a line's month, the line dated later that month", three, 201203, Kind::Dated, "Q2OLD (A)"},
        {"between two lines", three, 201406, Kind::Dated, "Q2OLD (A)"},
        {"before every line", three, 201102, Kind::Earlier, "Q2OLD (A)"},
        {"two managers in the month that holds",
         {{"2012-03", "Q2OLD"}, {"2012-03-30", "Q5TWO"}, {"2020-01", "Q4NEW"}},
         201505,
         Kind::Conflict,
         "Q2OLD (A) and Q5TWO (A)"},
        {"two managers in the earliest month",
         {{"2012-03", "Q2OLD"}, {"2012-03-30", "Q5TWO"}, {"2020-01", "Q4NEW"}},
         200901,
         Kind::Conflict,
         "Q2OLD (A) and Q5TWO (A)"},
        {"one manager twice in a month",
         {{"2012-03", "Q2OLD"}, {"2012-03-30", "Q2OLD"}, {"2020-01", "Q4NEW"}},
         201505,
         Kind::Dated,
         "Q2OLD (A)"},
        {"a line without a date is older than every dated one",
         {{"", "Q6UND"}, {"2012-03", "Q2OLD"}},
         200001,
         Kind::Dated,
         "Q6UND (A)"},
        {"only lines without a date: the list holds", {{"", "Q6UND"}, {"", "Q7UND"}}, 200001, Kind::ListHolds, ""},
    };
    SourceNames sources;
    sources.numberOf("A");
    for (const Case& c : cases) {
        const std::vector<HistoryEntry> lines = linesOf(c.lines);
        const ManagerInForce inForce = managerInForce(lines, c.qsoMonth);
        EXPECT_EQ(inForce.kind, c.kind) << c.what;
        EXPECT_EQ(inForce.month.empty() ? "" : managersWithSources(inForce.month, sources), c.managers) << c.what;
    }
}

// The history keeps a date as it was read, and a file's name as a field of its own.
TEST(HistoryEntry, DatesAndSourcesWriteBackAsRead)
{
    DateText text;
    for (const std::string date : {"2012-05", "2012-05-31", "0999-01", "2024-02-29", ""})
        EXPECT_EQ(dateText(dateOrder(date), text), date);
    EXPECT_EQ(sourceOfFile("lists/2024/QSL;MGR.csv"), "QSL MGR.csv");
    EXPECT_EQ(sourceOfFile(" list.csv\t"), "list.csv");
    EXPECT_EQ(sourceOfFile("QSLHIST.CSV"), "QSLHIST.CSV");
}

} // namespace
} // namespace borvelin
