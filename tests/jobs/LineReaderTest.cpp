// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/LineReader.h"
#include "jobs/JobError.h"
#include "jobs/LineCount.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace borvelin {
namespace {

using test::TestDirectory;
using test::writeFile;

std::vector<std::string> readAll(const std::string& bytes, std::size_t bufferSize)
{
    writeFile("input.txt", bytes);
    LineReader reader("input.txt", bufferSize);
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line))
        lines.push_back(line);
    return lines;
}

struct BreakCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

// Every case runs with a tiny buffer too, so breaks fall on every buffer boundary.
class LineBreaks : public ::testing::TestWithParam<std::size_t> {
protected:
    TestDirectory directory;
};

TEST_P(LineBreaks, EndEveryLineAtCrLfLfOrLoneCr)
{
    const std::vector<BreakCase> cases = {
        {"empty file has no lines", "", {}},
        {"final break adds no empty line", "Q1ABC\r\n", {"Q1ABC"}},
        {"last line may lack its break", "Q1ABC\r\nQ2XYZ", {"Q1ABC", "Q2XYZ"}},
        {"bare LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"mixed breaks", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"empty lines are kept", "\r\n\r\nx\r\n\n\r", {"", "", "x", "", ""}},
        {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF is an empty line", "a\r\r\nb", {"a", "", "b"}},
        {"only a break", "\r\n", {""}},
        {"bytes kept as they are",
         std::string("\xE4\xF6\x00\xFF \t x\r\n", 10),
         {std::string("\xE4\xF6\x00\xFF \t x", 8)}},
        {"trailing spaces kept", "Q1ABC        QSL via Q2MGR   \r\n", {"Q1ABC        QSL via Q2MGR   "}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readAll(c.bytes, GetParam()), c.lines) << c.name;
        EXPECT_EQ(countLines("input.txt"), c.lines.size()) << c.name; // counted by the same rule
    }
}

TEST_P(LineBreaks, CrLfSplitAcrossRefillsIsOneBreak)
{
    // Put the CR at each position relative to the buffer end in turn.
    for (std::size_t prefix = 1; prefix < 40; ++prefix) {
        const std::string first(prefix, 'x');
        EXPECT_EQ(readAll(first + "\r\nsecond\r\n", GetParam()), (std::vector<std::string>{first, "second"}))
            << "prefix " << prefix;
    }
}

TEST_P(LineBreaks, LinesLongerThanTheBufferComeWhole)
{
    const std::string longLine(5000, 'L');
    EXPECT_EQ(readAll("a\r\n" + longLine + "\r\nb", GetParam()), (std::vector<std::string>{"a", longLine, "b"}));
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, LineBreaks, ::testing::Values(16, 17, 1 << 20));

TEST(LineReader, CarriageReturnOnlyFileReadsEveryLine)
{
    TestDirectory directory;
    std::string bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += "Q" + std::to_string(i) + "ABC\r";
    const auto lines = readAll(bytes, 4096);
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines.front(), "Q0ABC");
    EXPECT_EQ(lines.back(), "Q19999ABC");
}

TEST(LineReader, MissingFileIsFileNotFound)
{
    TestDirectory directory;
    try {
        LineReader reader("QSL.TXT");
        FAIL() << "opened a missing file";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 53);
        EXPECT_EQ(error.text(), "File not found");
        EXPECT_EQ(error.fileName(), "QSL.TXT");
        EXPECT_STREQ(error.what(), "File not found: QSL.TXT");
    }
}

TEST(LineReader, DirectoryInPlaceOfTheFileIsAReadError)
{
    TestDirectory directory;
    std::filesystem::create_directory("QSL.TXT");
    std::string line;
    EXPECT_THROW(
        {
            LineReader reader("QSL.TXT");
            reader.readLine(line);
        },
        JobError);
}

} // namespace
} // namespace borvelin
