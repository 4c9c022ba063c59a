// SPDX-License-Identifier: GPL-3.0-or-later
#include "cluster/ClusterExportJob.h"
#include "jobs/JobError.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <map>

namespace borvelin {
namespace {

using test::crlfLines;
using test::listLine;
using test::readFile;
using test::RecordingStatus;
using test::TestDirectory;
using test::writeFile;

// A cluster node's import: a key line, value lines, and the record stored when a line
// starts with "&&", replacing one of the same key. Counts how often that happened.
struct NodeImport {
    explicit NodeImport(const std::string& file)
    {
        std::string key;
        std::vector<std::string> values;
        bool keyRead = false;
        for (std::size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2) {
            const std::string line = file.substr(start, end - start);
            if (line.starts_with("&&")) {
                replaced += records.count(key);
                records[key] = values;
                values.clear();
                keyRead = false;
            } else if (!keyRead) {
                key = line;
                keyRead = true;
            } else {
                values.push_back(line);
            }
        }
        unstored = keyRead;
    }

    std::map<std::string, std::vector<std::string>> records;
    int replaced = 0;
    bool unstored = false; // lines after the last marker, which a node drops
};

TEST(ClusterExport, EveryStationOnceUnderTheNodesRule)
{
    TestDirectory directory;
    std::vector<std::string> list;
    std::map<std::string, std::vector<std::string>> expected;
    for (int i = 0; i < 600; ++i) {
        const std::string call = (i % 3 == 0 ? "QA/Q" : "Q") + std::to_string(i % 150) + "XY";
        const std::string line =
            listLine(i % 7 == 0 ? "q" + call.substr(1) : call, "QSL via Q2MGR " + std::to_string(i));
        list.push_back(line);
        expected[call].push_back(line);
        list.push_back(call + " short");
    }
    list.push_back("   QSL via Q2MGR, a line with no call");
    list.push_back("&&Q1A        QSL via Q2MGR, would end a record");
    writeFile("QSL.TXT", crlfLines(list));
    std::string inMemory;
    for (const std::size_t runBytes : {LinesByCall::DefaultRunBytes, std::size_t{4096}}) {
        JobState state;
        RecordingStatus status;
        ClusterExportJob(state, status, diskFiles(), runBytes).run();
        const std::string file = readFile("QSLCLU.FUL");
        const NodeImport node(file);
        EXPECT_EQ(node.records, expected) << runBytes;
        EXPECT_EQ(node.replaced, 0);
        EXPECT_FALSE(node.unstored);
        EXPECT_EQ(state.RecCount, 600u);
        EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"QSL.TXT", "QSLCLU.FUL"}));
        if (inMemory.empty())
            inMemory = file;
        EXPECT_EQ(file, inMemory) << "sorted in runs of " << runBytes << " bytes";
    }
}

// A failure after the runs were written leaves none of them behind.
TEST(ClusterExport, AFailingExportLeavesNoRunFile)
{
    TestDirectory directory;
    test::MemoryFiles files;
    std::string list;
    for (int i = 0; i < 500; ++i)
        list += listLine("Q" + std::to_string(i) + "XY", "QSL via Q2MGR") + "\n";
    files.files["QSL.TXT"] = list;
    files.failOutput("QSLCLU.FUL", 10);
    JobState state;
    RecordingStatus status;
    EXPECT_THROW(ClusterExportJob(state, status, files, 1024).run(), JobError);
    EXPECT_TRUE(directory.fileNames().empty());
    EXPECT_EQ(files.files.count("QSLCLU.FUL"), 0u);
}

} // namespace
} // namespace borvelin
