// SPDX-License-Identifier: GPL-3.0-or-later
// C1 and List of 25+'s failure log, on the benchmark's generated lists: the lines C1
// names, with their messages, are exactly the entries List of 25+ logs, in order.
#include "CheckResults.h"
#include "check/CheckJob.h"
#include "managers/List25Job.h"
#include "support/GeneratedLists.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <array>

namespace borvelin {
namespace {

using LoggedLine = std::pair<std::string, std::string>; // the line as logged, the message

std::vector<std::string> crlfSplit(const std::string& bytes)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end == std::string::npos ? bytes.size() : end + 2;
    }
    return lines;
}

TEST(FailureAgreement, C1NamesTheLinesListOf25Logs)
{
    for (const auto [count, managers, seed] : {std::array{20000, 100, 1}, {20000, 5000, 7}, {3000, 10, 42}}) {
        const std::string list = test::generatedList(count, managers, seed);
        if (list.empty())
            GTEST_SKIP() << "borvelin-genlist was not built";
        test::TestDirectory directory;
        test::writeFile("QSL.TXT", list);
        JobState state;
        test::RecordingStatus status;
        List25Job(state, status).run();
        std::vector<LoggedLine> logged;
        const std::vector<std::string> log = crlfSplit(test::readFile("BORVELIN.LOG"));
        for (std::size_t entry = 0; entry + 2 < log.size(); entry += 3)
            logged.emplace_back(log[entry + 1], log[entry + 2]);

        CheckJob(state, status).run();
        const std::vector<std::string> lines = crlfSplit(list);
        std::vector<LoggedLine> named;
        for (const auto& row : test::checkRows(test::readFile("QSLCHK.CSV"))) {
            if (row[2] != "C1")
                continue;
            std::string line = lines.at(std::stoull(row[0]) - 1);
            if (line.size() <= BlankedLineLength)
                line = " ";
            named.emplace_back(line, row[4].substr(std::string("List of 25+ logs: ").size()));
        }
        EXPECT_GT(logged.size(), 5u) << "seed " << seed;
        EXPECT_EQ(named, logged) << "seed " << seed;
    }
}

} // namespace
} // namespace borvelin
