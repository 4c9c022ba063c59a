// SPDX-License-Identifier: GPL-3.0-or-later
// The call kit against what it stands in for: the table against std::unordered_map,
// the ring against taking the items at once, the filter against the set it filters.
#include "calls/BitFilter.h"
#include "calls/CallHash.h"
#include "calls/CallTable.h"
#include "calls/LookAheadRing.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace borvelin {
namespace {

// A record the size of Check List's, so that 100,000 calls fill several chunks.
struct Counted {
    std::string call;
    int count = 0;
    char padding[24] = {};
};

std::string randomCall(std::mt19937_64& random)
{
    std::string call = "Q" + std::to_string(random() % 10) + "A";
    for (std::size_t letters = random() % 4; letters > 0; --letters)
        call += static_cast<char>('A' + random() % 26);
    return call + std::to_string(random() % 40);
}

TEST(CallTable, CountsAndFindsAsAnUnorderedMapDoesAcrossChunks)
{
    std::mt19937_64 random(21);
    CallTable<Counted> table;
    std::unordered_map<std::string, int> expected;
    std::vector<std::string> firstSeen;
    for (int row = 0; row < 400000; ++row) {
        const std::string call = randomCall(random);
        const auto matches = [&](const Counted& record) { return record.call == call; };
        ++table.findOrAdd(callHash(call), matches, [&] { return Counted{call}; }).count;
        if (expected[call]++ == 0)
            firstSeen.push_back(call);
    }
    ASSERT_GT(expected.size(), 100000u);
    ASSERT_EQ(table.size(), expected.size());
    for (const auto& [call, count] : expected) {
        const Counted* record = table.find(callHash(call), [&](const Counted& r) { return r.call == call; });
        ASSERT_NE(record, nullptr) << call;
        EXPECT_EQ(record->count, count) << call;
    }
    std::size_t place = 0;
    table.forEach([&](const Counted& record) { EXPECT_EQ(record.call, firstSeen[place++]); });
    const std::string absent = "Q9ZZZZZ999";
    EXPECT_EQ(table.find(callHash(absent), [&](const Counted& r) { return r.call == absent; }), nullptr);
}

TEST(CallTable, KeepsOnlyWhatItIsToldInTheirOrderAndFiltersTheRest)
{
    CallTable<Counted> table;
    std::vector<std::string> calls;
    for (int index = 0; index < 150000; ++index) {
        calls.push_back("Q" + std::to_string(index) + "X");
        table.findOrAdd(
            callHash(calls.back()), [](const Counted&) { return false; },
            [&] {
                return Counted{calls.back(), index};
            });
    }
    table.keepOnly([](const Counted& record) { return record.count % 3 == 0; });
    table.makeFilter(16);
    ASSERT_EQ(table.size(), 50000u);
    std::size_t passedFilter = 0;
    for (int index = 0; index < 150000; ++index) {
        const std::string& call = calls[static_cast<std::size_t>(index)];
        const Counted* record = table.find(callHash(call), [&](const Counted& r) { return r.call == call; });
        EXPECT_EQ(record != nullptr, index % 3 == 0) << call;
        passedFilter += table.mayHold(callHash(call)) && index % 3 != 0 ? 1 : 0;
    }
    EXPECT_LT(passedFilter, 100000u / 8); // about one in sixteen gets past
    int last = -1;
    table.forEach([&](const Counted& record) {
        EXPECT_GT(record.count, last);
        last = record.count;
    });
}

TEST(CallHash, IgnoresTheCaseOfLettersAndNothingElse)
{
    EXPECT_EQ(callHash("qa/q1abc/p"), callHash("QA/Q1ABC/P"));
    EXPECT_EQ(callHash("Q1abcdefghijk"), callHash("q1ABCDEFGHIJK"));
    for (const auto& [a, b] : {std::pair<std::string, std::string>{"Q0A", std::string("Q\x10"
                                                                                      "A")},
                               {"Q1[A", "Q1{A"},
                               {"Q1@A", "Q1`A"},
                               {"Q1ABC", "Q1ABC "},
                               {"Q1\xc1", "Q1\xe1"}})
        EXPECT_NE(callHash(a), callHash(b)) << a << " " << b;
    EXPECT_NE(bytesHash("q1abc"), bytesHash("Q1ABC"));
    for (const std::string call : {"", "Q", "Q1ABC", "QA/Q1ABCD", "Q1ABCDEFGHIJKLM"}) {
        char padded[16] = {};
        call.copy(padded, call.size());
        EXPECT_EQ(callHashOfPaddedCapitals(padded, call.size()), callHash(call)) << call;
    }
    EXPECT_NE(callHash("Q1ABC", 1), callHash("Q1ABC", 2));
}

// Records what the ring asks for and takes, in order.
struct Steps {
    std::vector<std::pair<char, int>> events;
    void askForSlot(int item) { events.emplace_back('s', item); }
    void askForRecord(int item) { events.emplace_back('r', item); }
    void take(int item) { events.emplace_back('t', item); }
};

TEST(LookAheadRing, TakesEveryItemInOrderAfterAskingForItsSlotAndRecord)
{
    Steps steps;
    LookAheadRing<int, 8> ring;
    for (int item = 0; item < 20; ++item)
        ring.add(item, steps);
    ring.takeAll(steps);
    std::vector<int> taken;
    std::vector<int> slotAsked(20, -1);
    std::vector<int> recordAsked(20, -1);
    for (std::size_t at = 0; at < steps.events.size(); ++at) {
        const auto [kind, item] = steps.events[at];
        if (kind == 's')
            slotAsked[static_cast<std::size_t>(item)] = static_cast<int>(at);
        if (kind == 'r')
            recordAsked[static_cast<std::size_t>(item)] = static_cast<int>(at);
        if (kind == 't') {
            taken.push_back(item);
            EXPECT_GE(slotAsked[static_cast<std::size_t>(item)], 0);
            if (item < 16) { // the last items were never followed by half a ring
                EXPECT_GT(recordAsked[static_cast<std::size_t>(item)], slotAsked[static_cast<std::size_t>(item)]);
            }
        }
    }
    std::vector<int> inOrder(20);
    for (int item = 0; item < 20; ++item)
        inOrder[static_cast<std::size_t>(item)] = item;
    EXPECT_EQ(taken, inOrder);
    EXPECT_TRUE(ring.empty());
}

} // namespace
} // namespace borvelin
