// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/CallShape.h"

#include <gtest/gtest.h>

namespace borvelin {
namespace {

TEST(CallShape, WellFormedCalls)
{
    for (const char* call :
         {"Q1ABC", "q1abc", "QA/Q1ABC", "Q1ABC/P", "QA/Q1ABC/P", "Q1ABC/3", "3Q1/Q1ABC", "Q1A", "1Q", "Q12345678901"})
        EXPECT_TRUE(callshape::isWellFormedCall(call)) << call;
    for (const char* call : {"", "Q%GL", "Q-11734", "QABC", "12345", "Q1ABC/", "/Q1ABC", "Q1ABC//P", "QA/QB/QC",
                             "QA/Q1ABC/P/MM", "Q1 ABC", "Q1ABC\t",
                             "Q1\xc9"
                             "BC",
                             "Q123456789012", "BURO"})
        EXPECT_FALSE(callshape::isWellFormedCall(call)) << call;
}

TEST(CallShape, HomeCallDropsThePortableParts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Q1ABC", "Q1ABC"},   {"q1abc/p", "Q1ABC"},     {"QA/Q1ABC", "Q1ABC"}, {"QA/Q1ABC/P", "Q1ABC"},
        {"Q1ABC/3", "Q1ABC"}, {"3Q1/Q1ABCD", "Q1ABCD"}, {"Q1A/Q2B", "Q1A"},    {"XYZLAND", "XYZLAND"},
    };
    for (const auto& [call, home] : cases)
        EXPECT_EQ(callshape::homeCallOf(call), home) << call;
}

TEST(CallShape, HomeCallPartIsTheHomeCallAsItStands)
{
    for (const char* call :
         {"Q1ABC", "q1abc/p", "QA/Q1ABC", "Q1A/Q2B", "3Q1/Q1ABCD", "XYZLAND", "", "/", "Q1/QA1/QB2", "qa/q1abc/p/mm"}) {
        std::string capitals(callshape::homeCallPartOf(call));
        for (char& byte : capitals)
            byte = (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
        EXPECT_EQ(capitals, callshape::homeCallOf(call)) << call;
    }
}

} // namespace
} // namespace borvelin
