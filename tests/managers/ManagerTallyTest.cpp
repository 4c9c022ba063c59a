// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/ManagerTally.h"
#include "jobs/JobError.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace borvelin {
namespace {

std::vector<std::string> callsOf(const ManagerTally& tally)
{
    std::vector<std::string> calls;
    for (const auto& [call, hits] : tally.SortManagers())
        calls.emplace_back(call);
    return calls;
}

TEST(ManagerTally, OrdersCallsByByteAndKeepsEachCount)
{
    ManagerTally tally;
    for (const char* call : {"Q2ABC", "Q1AB", "Q2ABC", "Q1AA", "q2abc", "Q1AAA", "Q10ABC", "Q1/ABC", "Q2ABC"})
        tally.AddManager(call);
    EXPECT_EQ(callsOf(tally),
              (std::vector<std::string>{"Q1/ABC", "Q10ABC", "Q1AA", "Q1AAA", "Q1AB", "Q2ABC", "q2abc"}));
    EXPECT_EQ(tally.hitsOf("Q2ABC"), 3);
    EXPECT_EQ(tally.hitsOf("q2abc"), 1);
    EXPECT_EQ(tally.hitsOf("Q9ZZZ"), 0);
    EXPECT_EQ(tally.MgrCount(), 7u);
}

TEST(ManagerTally, BytesAbove127SortAfterAscii)
{
    ManagerTally tally;
    tally.AddManager("Q1\xC4"
                     "B");
    tally.AddManager("Q1ZZ");
    EXPECT_EQ(callsOf(tally), (std::vector<std::string>{"Q1ZZ", "Q1\xC4"
                                                                "B"}));
}

TEST(ManagerTally, ShortCallsAndZeroBytesSortAsBytes)
{
    using namespace std::string_literals;
    const std::vector<std::string> ordered = {
        "Q1"s,         "Q1\0"s,      "Q1\0\0\0\0\0\0"s, "Q1\0\0\0\0\0\0\0"s, "Q1\0\0\0\0\0\0A"s, "Q1ABCDEF"s,
        "Q1ABCDEF\0"s, "Q1ABCDEFG"s, "Q1ABCDEFGH"s,     "Q1ABCDEG"s,         "Q1\xFF"s};
    ManagerTally tally;
    for (auto call = ordered.rbegin(); call != ordered.rend(); ++call)
        tally.AddManager(*call);
    EXPECT_EQ(callsOf(tally), ordered);
}

TEST(ManagerTally, CountStopsAt32767WithAnOverflow)
{
    ManagerTally tally;
    for (int i = 0; i < 32767; ++i)
        tally.AddManager("Q2MGR");
    try {
        tally.AddManager("Q2MGR");
        FAIL() << "counted past 32767";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 6);
    }
    EXPECT_EQ(tally.hitsOf("Q2MGR"), 32767);
}

TEST(ManagerTally, Holds100000ManagersAndRefusesTheNext)
{
    ManagerTally tally;
    for (int i = 0; i < 100000; ++i)
        tally.AddManager("Q" + std::to_string(i));
    tally.AddManager("Q99999"); // a known one still counts
    try {
        tally.AddManager("Q1NEW");
        FAIL() << "stored a 100001st manager";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 9);
    }
    EXPECT_EQ(tally.MgrCount(), 100000u);
    EXPECT_EQ(tally.hitsOf("Q1NEW"), 0);
    EXPECT_EQ(tally.hitsOf("Q99999"), 2);
}

TEST(ManagerTally, AgreesWithAPlainMapOnManyCallsShortAndLong)
{
    // Calls around the length kept in a slot, a few of them long, drawn so that the
    // table grows many times and some calls come back often.
    std::mt19937 random(73);
    std::map<std::string, int> expected;
    ManagerTally tally;
    for (int i = 0; i < 300000; ++i) {
        const unsigned number = random() % 60000;
        std::string call = "Q" + std::to_string(number % 10) + "A" + std::to_string(number);
        call.resize(call.size() + number % 11, static_cast<char>('A' + number % 26)); // 4 to 16 bytes
        tally.AddManager(call);
        ++expected[call];
    }
    ASSERT_EQ(tally.MgrCount(), expected.size());
    const auto sorted = tally.SortManagers();
    ASSERT_EQ(sorted.size(), expected.size());
    auto want = expected.begin();
    for (const auto& [call, hits] : sorted) {
        ASSERT_EQ(call, want->first);
        ASSERT_EQ(hits, want->second) << call;
        ASSERT_EQ(tally.hitsOf(call), want->second) << call;
        ++want;
    }
    EXPECT_EQ(tally.hitsOf("Q1A1AAAAAAAAAAAAAAAAAAAA"), 0);
}

TEST(ManagerTally, ACopyCountsOnItsOwn)
{
    ManagerTally tally;
    tally.AddManager("Q1ABC");
    tally.AddManager("Q1ABCDEFGHIJKLMNOP");
    ManagerTally copy = tally;
    copy.AddManager("Q1ABCDEFGHIJKLMNOP");
    copy.AddManager("Q2NEW");
    EXPECT_EQ(tally.hitsOf("Q1ABCDEFGHIJKLMNOP"), 1);
    EXPECT_EQ(tally.MgrCount(), 2u);
    EXPECT_EQ(copy.hitsOf("Q1ABCDEFGHIJKLMNOP"), 2);
    EXPECT_EQ(copy.MgrCount(), 3u);
}

} // namespace
} // namespace borvelin
