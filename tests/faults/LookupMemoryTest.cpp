// SPDX-License-Identifier: GPL-3.0-or-later
// Lookup's memory stays flat whatever the number of calls asked, repeated calls too (a
// log's calls piped in); when memory runs out, it ends with error 7, as every job does.
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <fstream>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::listLine;
using test::writeFile;

// Calls as a log gives them: a few stations, each asked again and again.
void writeCalls(const fs::path& file, int calls)
{
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < calls; ++i) {
        const int station = 2 * (i % 50);
        out << "Q" << 1 + station % 9 << "A" << station << "\n";
    }
}

class LookupMemory : public FaultTest {
protected:
    void SetUp() override
    {
        // Each station asked has lines of its own: ten each, so every answer is long.
        auto list = plainList(2000);
        for (int copy = 0; copy < 9; ++copy)
            for (int i = 0; i < 100; i += 2)
                list.push_back(listLine("Q" + std::to_string(1 + i % 9) + "A" + std::to_string(i),
                                        "QSL via Q2MGR, copy " + std::to_string(copy)));
        writeFile("QSL.TXT", crlfLines(list));
    }

    CliResult lookUp(int calls)
    {
        writeCalls("calls.txt", calls);
        CliOptions options;
        options.input = directory.path() / "calls.txt";
        return runCli(directory.path(), {"-q", "lookup"}, options);
    }
};

TEST_F(LookupMemory, StaysFlatWithTheNumberOfCallsAsked)
{
    const CliResult few = lookUp(1000);
    const CliResult many = lookUp(100000);
    ASSERT_EQ(few.exitStatus, 0) << few.errorText;
    ASSERT_EQ(many.exitStatus, 0) << many.errorText;
    // 10^5 answers of about 1 KB each: were each kept, 100 MB more.
    EXPECT_LT(many.peakMemoryKiB, few.peakMemoryKiB + 20 * 1024)
        << "1,000 calls: " << few.peakMemoryKiB << " KiB, 100,000 calls: " << many.peakMemoryKiB << " KiB";
}

TEST_F(LookupMemory, RunningOutOfMemoryIsError7)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    // Three million calls of 60 bytes, against an address space of 256 MiB.
    {
        std::ofstream out("calls.txt", std::ios::binary);
        const std::string padding(56, 'X');
        for (int i = 0; i < 3000000; ++i)
            out << "Q1A" << i % 10 << padding << "\n";
    }
    CliOptions options;
    options.input = directory.path() / "calls.txt";
    options.memoryLimit = 256ul << 20;
    const CliResult result = runCli(directory.path(), {"-q", "lookup"}, options);
    EXPECT_EQ(result.exitStatus, 1) << result.errorText;
    EXPECT_NE(result.errorText.find("borvelin-cli: lookup: error 7: Out of memory"), std::string::npos)
        << result.errorText;
}

} // namespace
} // namespace borvelin::faults
