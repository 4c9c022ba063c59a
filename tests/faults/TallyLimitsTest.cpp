// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::listLine;
using test::readFile;
using test::writeFile;

std::vector<std::string> distinctManagers(int count)
{
    std::vector<std::string> list;
    for (int i = 0; i < count; ++i)
        list.push_back(listLine("Q1ABC", "QSL via Q" + std::to_string(100000 + i)));
    return list;
}

std::vector<std::string> oneManager(int records)
{
    return std::vector<std::string>(static_cast<std::size_t>(records), listLine("Q1ABC", "QSL via Q2MGR"));
}

// The tally holds 100000 managers and counts 32767 records for each: a list at a limit
// goes through, one past it stops the job and leaves every file as it was.
class TallyLimits : public FaultTest {
protected:
    CliResult runAtTheLimit(const std::vector<std::string>& list)
    {
        fs::create_directory("at-the-limit");
        writeFile("at-the-limit/QSL.TXT", crlfLines(list));
        return runCli("at-the-limit", {"list25"});
    }
};

TEST_F(TallyLimits, The100001stManagerStopsTheJob)
{
    auto list = distinctManagers(100000);
    const CliResult atTheLimit = runAtTheLimit(list);
    ASSERT_EQ(atTheLimit.exitStatus, 0) << atTheLimit.errorText;
    EXPECT_EQ(readFile("at-the-limit/QSLMGR.TXT"), "");

    writeEarlierFiles(20);
    list.push_back(listLine("Q1ABC", "QSL via Q9LAST"));
    writeFile("QSL.TXT", crlfLines(list));
    expectFailureChangesNothing(
        {"list25"},
        {9, "Subscript out of range (more than 100000 managers; Q9LAST was not counted)", "QSL.TXT", 100001});
}

TEST_F(TallyLimits, The32768thRecordOfOneManagerStopsTheJob)
{
    const CliResult atTheLimit = runAtTheLimit(oneManager(32767));
    ASSERT_EQ(atTheLimit.exitStatus, 0) << atTheLimit.errorText;
    EXPECT_EQ(readFile("at-the-limit/QSLMGR.TXT"), "Q2MGR\r\n");

    writeEarlierFiles(20);
    writeFile("QSL.TXT", crlfLines(oneManager(32768)));
    expectFailureChangesNothing({"list25"},
                                {6, "Overflow (more than 32767 records name the manager Q2MGR)", "QSL.TXT", 32768});
}

} // namespace
} // namespace borvelin::faults
