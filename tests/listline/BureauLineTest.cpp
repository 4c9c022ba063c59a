// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/BureauLine.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

namespace borvelin {
namespace {

using test::listLine;

struct BureauCase {
    std::string line;
    bool bureau;
};

TEST(BureauLine, ShortFirstWordIsABureauUnlessARouteKeywordStandsAtColumn14)
{
    const std::vector<BureauCase> cases = {
        {listLine("Q1A", "QSL via Q2MGR"), false},
        {listLine("Q1A", " QSL via Q2MGR"), true}, // keyword at column 15
        {listLine("QX", "NOT via Q2MGR"), false},
        {listLine("QX", "NOT MORE"), false},
        {listLine("QX", "NOT LONGER"), false},
        {listLine("QX", "Pirate"), false}, // any case
        {listLine("QX", "qsl VIA Q2MGR"), false},
        {listLine("QX", "Bureau, Box 5"), true},
        {listLine("Q1A", "Box 1, City"), true},
        {listLine("", "QSL via Q2MGR"), false}, // first word empty
        {" ", true},                            // a blanked short line
        {listLine("QX", "NOT"), true},          // keyword cut short by the line's end
        {"QX QSL via Q2MGR", true},             // keyword at column 4, not 14
    };
    for (const auto& c : cases)
        EXPECT_EQ(isBureauLine(c.line), c.bureau) << '"' << c.line << '"';
}

TEST(BureauLine, LongFirstWordIsABureauWhenColumns1To12HoldNoDigit)
{
    const std::vector<BureauCase> cases = {
        {listLine("XYZLAND", "QSL Bureau, P.O. Box 9, Capital City, Country"), true},
        {listLine("XYZLAND", "QSL via Q2MGR"), true}, // keywords do not matter here
        {listLine("Q1ABC", "QSL Bureau, Box 9"), false},
        {listLine("QA/Q1ABC", "QSL via Home Call"), false},
        {"ABCD       9 digit at column 12", false},
        {"ABCDEFGHIJKL9 digit at column 13", true},
        {"ABCD 1 digit after the first word", false},
        {std::string(30, 'X'), true},    // no space: the whole line is the first word
        {"XXXXXXXXXXXX1XXXXXXXX", true}, // no space, digit beyond column 12
        {"XXXXX1XXXXXXXXXXXXXXX", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isBureauLine(c.line), c.bureau) << '"' << c.line << '"';
}

// The call area is looked at eight bytes at a time: every byte value at every column
// of it, and just beyond it, must be judged as one byte at a time would.
TEST(BureauLine, EveryByteAtEveryColumnOfTheCallAreaIsJudgedAsItself)
{
    for (std::size_t column = 1; column <= 13; ++column) {
        for (int value = 0; value < 256; ++value) {
            const char byte = static_cast<char>(value);
            if (byte == ' ')
                continue; // would end the first word
            std::string line(20, 'X');
            line[column - 1] = byte;
            const bool digit = byte >= '0' && byte <= '9';
            EXPECT_EQ(isBureauLine(line), !(digit && column <= 12)) << "byte " << value << " at column " << column;
        }
    }
}

} // namespace
} // namespace borvelin
