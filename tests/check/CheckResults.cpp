// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckResults.h"

#include "check/CheckJob.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

namespace borvelin::test {

std::vector<std::vector<std::string>> checkRows(const std::string& csv)
{
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every row ends in CR LF";
        if (end == std::string::npos)
            break;
        const std::string row = csv.substr(start, end - start);
        std::vector<std::string> values;
        std::size_t from = 0;
        for (int value = 0; value < 4; ++value) {
            const std::size_t semicolon = row.find(';', from);
            values.push_back(row.substr(from, semicolon - from));
            from = semicolon == std::string::npos ? row.size() : semicolon + 1;
        }
        values.push_back(row.substr(from));
        rows.push_back(values);
        start = end + 2;
    }
    return rows;
}

std::set<LineCode> lineCodes(const std::string& csv)
{
    std::set<LineCode> codes;
    for (const auto& row : checkRows(csv))
        codes.emplace(std::stoull(row[0]), std::stoi(row[2].substr(1)));
    return codes;
}

std::string checkInMemory(const std::vector<std::string>& lines, const std::string& history)
{
    MemoryFiles files;
    files.files["QSL.TXT"] = crlfLines(lines);
    if (!history.empty())
        files.files["QSLHIST.CSV"] = history;
    JobState state;
    RecordingStatus status;
    CheckJob(state, status, files).run();
    return files.files.at("QSLCHK.CSV");
}

} // namespace borvelin::test
