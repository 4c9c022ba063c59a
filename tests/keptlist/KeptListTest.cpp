// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/KeptList.h"
#include "keptlist/LineStarts.h"

#include "jobs/JobError.h"
#include "jobs/LineReader.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace borvelin {
namespace {

using test::readFile;
using test::TestDirectory;
using test::writeFile;

std::vector<std::string> rowsOf(const KeptList& list)
{
    std::vector<std::string> rows;
    list.readRows(0, list.rowCount(), rows);
    return rows;
}

// The lines as the jobs read them.
std::vector<std::string> linesAsTheJobsRead(const std::string& fileName)
{
    LineReader reader(fileName, 16);
    std::vector<std::string> lines;
    std::vector<std::string_view> batch(7);
    for (std::size_t count; (count = reader.readLines(batch)) != 0;)
        for (std::size_t index = 0; index < count; ++index)
            lines.emplace_back(batch[index]);
    return lines;
}

TEST(ListFile, FindsTheLinesTheJobsRead)
{
    const TestDirectory directory;
    const std::string longLine((1 << 20) - 1, 'a'); // its CR LF lies across two blocks
    const std::string cases[] = {
        "",
        "Q1ABC",
        "Q1ABC\r\nQ2ABC\nQ3ABC\rQ4ABC",
        "Q1ABC\r\n",
        "\r\n\r\n\n\r",
        "a\r\r\nb\n\rc",
        longLine + "\r\nb\r\n",
    };
    for (const std::string& bytes : cases) {
        writeFile("QSL.TXT", bytes);
        const ListFile list("QSL.TXT");
        const std::vector<std::string> expected = linesAsTheJobsRead("QSL.TXT");
        ASSERT_EQ(list.lineCount(), expected.size()) << bytes.substr(0, 40);
        std::vector<std::string> lines;
        list.readLines(0, list.lineCount(), lines);
        EXPECT_EQ(lines, expected) << bytes.substr(0, 40);
        EXPECT_EQ(list.size(), bytes.size());
    }
}

// Starts 4 bytes each while a run of lines spans less than 4 GiB, 8 bytes when one spans more.
TEST(LineStarts, KeepEveryStartExactly)
{
    LineStarts starts;
    std::vector<std::uint64_t> expected;
    for (std::uint64_t start = 0; expected.size() < 10000; start += 37 + expected.size() % 5)
        expected.push_back(start);
    expected.push_back(expected.back() + (std::uint64_t{5} << 30)); // a line of 5 GiB
    expected.push_back(expected.back() + 2);
    for (const std::uint64_t start : expected)
        starts.push_back(start);
    starts.moveBack(expected.back() + 1);
    expected.back() += 1;
    ASSERT_EQ(starts.size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index)
        ASSERT_EQ(starts[index], expected[index]) << index;
    EXPECT_EQ(starts.firstPast(0, starts.size(), expected[4096]), 4097u);
}

TEST(ListFile, MissingListIsError53)
{
    const TestDirectory directory;
    try {
        const ListFile list("QSL.TXT");
        FAIL() << "no error";
    } catch (const JobError& error) {
        EXPECT_EQ(error.number(), 53);
    }
}

// Lines of every break, trailing blanks and a last line without its break.
const std::string Original = "Q1ABC        QSL via Q2MGR   \r\n"
                             "Q3DEF        QSL via Q4MGR\n"
                             "Q5GHI        PIRATE\r"
                             "Q6D          QSL via Q0AAA\r\n"
                             "Q7JKL        NOT via Q8BAD";

// Saves as the window does; gives back where the old list went.
listfile::Saved save(KeptList& list)
{
    test::RecordingStatus status;
    listfile::Saved saved;
    list.save(status, saved);
    return saved;
}

TEST(KeptList, SaveWritesUntouchedLinesByteForByteAndKeepsTheOldList)
{
    const TestDirectory directory;
    writeFile("QSL.TXT", Original);
    KeptList list("QSL.TXT");
    list.replaceRow(3, "Q6D          QSL via Q9NEW");
    list.eraseRow(2);
    list.insertRow(1, "Q2NEW        QSL via Q2MGR");
    list.insertRow(list.rowCount(), "Q9END        PIRATE");
    EXPECT_TRUE(list.modified());
    save(list);
    EXPECT_EQ(readFile("QSL.TXT"), "Q1ABC        QSL via Q2MGR   \r\n"
                                   "Q2NEW        QSL via Q2MGR\r\n" // the list's break
                                   "Q3DEF        QSL via Q4MGR\n"
                                   "Q6D          QSL via Q9NEW\r\n" // the replaced line's break
                                   "Q7JKL        NOT via Q8BAD\r\n" // no longer the last line
                                   "Q9END        PIRATE\r\n");
    EXPECT_EQ(readFile("QSL.BAK"), Original);
    EXPECT_FALSE(list.modified());
    EXPECT_EQ(list.rowCount(), 6u);
    EXPECT_EQ(list.row(3), "Q6D          QSL via Q9NEW");
    EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"QSL.BAK", "QSL.TXT"}));
}

TEST(KeptList, UndoAndRedoWalkTheEditsAlsoAcrossASave)
{
    const TestDirectory directory;
    writeFile("QSL.TXT", Original);
    KeptList list("QSL.TXT");
    const std::vector<std::string> before = rowsOf(list);
    list.eraseRow(0);
    list.replaceRow(0, "Q3DEF        QSL via Q9NEW");
    const std::vector<std::string> edited = rowsOf(list);
    EXPECT_EQ(list.undo().kind, KeptList::Change::Kind::Replaced);
    EXPECT_EQ(list.undo().kind, KeptList::Change::Kind::Inserted); // the erased row is back
    EXPECT_EQ(rowsOf(list), before);
    EXPECT_FALSE(list.modified());
    EXPECT_FALSE(list.canUndo());
    list.redo();
    list.redo();
    EXPECT_EQ(rowsOf(list), edited);

    save(list);
    EXPECT_EQ(rowsOf(list), edited);
    list.undo();
    list.undo(); // brings back a line the saved file no longer holds
    EXPECT_EQ(rowsOf(list), before);
    EXPECT_TRUE(list.modified());
    save(list);
    EXPECT_EQ(readFile("QSL.TXT"), Original); // each line back with its own break
}

TEST(KeptList, ANewEditDropsTheUndoneOnes)
{
    const TestDirectory directory;
    writeFile("QSL.TXT", Original);
    KeptList list("QSL.TXT");
    list.eraseRow(4);
    list.undo();
    list.insertRow(0, "Q0NEW        PIRATE");
    EXPECT_FALSE(list.canRedo());
    EXPECT_EQ(list.rowCount(), 6u);
}

TEST(KeptList, RowsWithABreakAreRefused)
{
    const TestDirectory directory;
    writeFile("QSL.TXT", Original);
    KeptList list("QSL.TXT");
    EXPECT_THROW(list.insertRow(0, "Q1ABC\r\nQ2ABC"), std::invalid_argument);
    EXPECT_FALSE(list.modified());
}

TEST(KeptList, FailedSaveChangesNoFileAndKeepsTheEdits)
{
    const TestDirectory directory;
    writeFile("QSL.TXT", Original);
    KeptList list("QSL.TXT");
    list.replaceRow(0, "Q1ABC        QSL via Q7NEW");
    {
        const test::FileSizeLimit limit(64);
        EXPECT_THROW(save(list), JobError);
    }
    EXPECT_EQ(readFile("QSL.TXT"), Original);
    EXPECT_TRUE(list.modified());
    EXPECT_EQ(list.row(0), "Q1ABC        QSL via Q7NEW");
    EXPECT_EQ(directory.fileNames(), std::vector<std::string>{"QSL.TXT"});
}

} // namespace
} // namespace borvelin
