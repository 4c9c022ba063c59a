// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/ListLineParser.h"
#include "listline/LineFailureLog.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace borvelin {
namespace {

using test::listLine;

class RecordingFailures : public LineFailureLog {
public:
    void logFailure(std::string_view line, std::string_view message) override
    {
        lines.emplace_back(line);
        messages.emplace_back(message);
    }
    std::vector<std::string> lines;
    std::vector<std::string> messages;
};

// Lines are laid out as in the examples: the first word filled with spaces to column
// 13, the text from column 14, then spaces up to column 40 unless a case says otherwise.
std::string example(const std::string& word, const std::string& text, std::size_t padTo = 40)
{
    return listLine(word, text, padTo);
}

struct ParseResult {
    std::string record;
    std::vector<std::string> failures;
};

ParseResult parseLine(std::string line)
{
    if (line.size() <= 12)
        line = " "; // as List of 25+ does before parsing
    RecordingFailures failures;
    ListLineParser parser(failures);
    ListEntry entry;
    parser.parse(line, entry);
    ParseResult result;
    entry.appendRecord(result.record);
    result.failures = failures.messages;
    return result;
}

struct GrammarCase {
    const char* name;
    std::string line;
    std::string record;
    std::vector<std::string> failures = {};
};

void expectRecords(const std::vector<GrammarCase>& cases)
{
    for (const auto& c : cases) {
        const ParseResult result = parseLine(c.line);
        EXPECT_EQ(result.record, c.record) << c.name << "\n  line: '" << c.line << "'";
        EXPECT_EQ(result.failures, c.failures) << c.name;
    }
}

const std::string BureauOnlyFailure = "Failure: XYZLAND is not a call or the buro is not followed by an address.";
const std::string BracketFailure(ListLineParser::BracketFailure);

TEST(ListLineParser, ManagerRoutes)
{
    expectRecords({
        {"QSL via", example("Q1ABC", "QSL via Q2MGR"), "Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"line ends right after the call", example("Q1ABC", "QSL via Q2MGR", 0),
         "Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"keywords ignore case", example("Q1ABC", "qsl VIA Q2MGR"), "Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"a ) does not end the call", example("Q1ABC", "QSL via Q2MGR) x"), "Q1ABC;;Q2MGR);;NO;NO;NO;;;NO;;;0;;;;;"},
        {"keyword one column late is no route", example("Q1ABC", " QSL via Q2MGR"), ";;;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"line ends before column 22", example("Q1ABC", "QSL via", 0), "Q1ABC;;;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"home call with prefix", example("QA/Q1ABC", "QSL via Home Call"), "Q1ABC;QA;Q1ABC;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"home call without a prefix", example("Q1ABC", "QSL via Home Call"), "Q1ABC;;;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"home call needs a first word of 3", example("QA", "QSL via Home Call"), ";;;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"prefix slash at position 6", example("Q1ABC/P", "QSL via Q2MGR"), "P;Q1ABC;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"slash at position 7 stays", example("Q1ABCD/P", "QSL via Q2MGR"), "Q1ABCD/P;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"pirate", example("Q1ABC", "PIRATE"), "Q1ABC;;;;YES;NO;NO;;;NO;;;0;;;;;"},
        {"pirate in any case", example("Q1ABC", "Pirate"), "Q1ABC;;;;YES;NO;NO;;;NO;;;0;;;;;"},
    });
}

TEST(ListLineParser, NotRoutes)
{
    expectRecords({
        {"NOT via with address", example("Q1ABC", "NOT via Q2MGR, Box 1, City"),
         "Q1ABC;;;;NO;NO;NO;;;NO;;;1;NOT via Q2MGR;Box 1;City;;"},
        {"NOT via ended by !", example("Q1ABC", "NOT via Q2MGR! new info"), "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;1;;;;;"},
        {"NOT via, spaces before !", example("Q1ABC", "NOT via Q2MGR   ! new info"),
         "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;1;;;;;"},
        {"NOT via ended by a space", example("Q1ABC", "NOT via Q2MGR"), "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;1;;;;;"},
        {"NOT via to the line's end", example("Q1ABC", "NOT via Q2MGR", 0), "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;1;;;;;"},
        {"NOT via, one byte at column 22", example("Q1ABC", "NOT via Q", 0), "Q1ABC;;;;NO;NO;NO;;;NO;;Q;1;;;;;"},
        {"NOT via, line ends at column 21", example("Q1ABC", "NOT via ", 0), ";;;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"NOT MORE", example("Q1ABC", "NOT MORE Q2MGR"), "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;3;;;;;"},
        {"NOT MORE to the line's end", example("Q1ABC", "NOT MORE Q2MGR", 0), "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;3;;;;;"},
        {"NOT LONGER", example("Q1ABC", "NOT LONGER Q2MGR"), "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;2;;;;;"},
        {"NOT LONGER to the line's end", example("Q1ABC", "not longer Q2MGR", 0),
         "Q1ABC;;;;NO;NO;NO;;;NO;;Q2MGR;2;;;;;"},
        {"NOT LONGER without a space after column 22", example("Q1ABC", "NOT LONGER", 0), ";;;;NO;NO;NO;;;NO;;;0;;;;;"},
    });
}

TEST(ListLineParser, Addresses)
{
    expectRecords({
        {"direct address, four parts and a rest",
         example("Q1ABC", "Box 12, Main Street 3, 99 City, Country, Zone, More", 80),
         "Q1ABC;;;;NO;NO;NO;;;NO;;;0;Box 12;Main Street 3;99 City;Country;Zone, More"},
        {"direct address needs its comma at column 17 or later", example("Q1ABC", "Bo, City"),
         ";;;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"a comma at column 17 is a direct address", example("Q1ABC", "Box, City"),
         "Q1ABC;;;;NO;NO;NO;;;NO;;;0;Box;City;;;"},
        {"a keyword anywhere rules out the direct address", example("Q1ABC", "Box 12, City, QSL via Q2MGR"),
         ";;;;NO;NO;NO;;;NO;;;0;;;;;"},
        {"a ; in an address adds a separator", example("Q1ABC", "Box 1; Flat 2, City"),
         "Q1ABC;;;;NO;NO;NO;;;NO;;;0;Box 1; Flat 2;City;;;"},
        {"bureau line", example("XYZLAND", "QSL Bureau, P.O. Box 9, Capital City, Country"),
         "XYZLAND;;;;NO;NO;NO;;;YES;;;0;QSL Bureau;P.O. Box 9;Capital City;Country;"},
        {"bureau without a comma",
         example("XYZLAND", "QSL Bureau only"),
         "XYZLAND;;;;NO;NO;NO;;;YES;;;0;;;;;QSL Bureau only",
         {BureauOnlyFailure}},
        {"bureau with one comma, then the direct address",
         example("QX", "Bureau, Box 5"),
         "QX;;;;NO;NO;NO;;;YES;;;0;Bureau;Box 5;;;",
         {"Failure: QX is not a call or the buro is not followed by an address."}},
        {"a three-byte call without a route is a bureau",
         example("Q1A", "Box 1, City"),
         "Q1A;;;;NO;NO;NO;;;YES;;;0;Box 1;City;;;",
         {"Failure: Q1A is not a call or the buro is not followed by an address."}},
        {"bureau with one comma, no direct address",
         example("QX", "Bo, 5"),
         "QX;;;;NO;NO;NO;;;YES;;;0;Bo;;;;5",
         {"Failure: QX is not a call or the buro is not followed by an address."}},
        {"empty line",
         "",
         ";;;;NO;NO;NO;;;YES;;;0;;;;;",
         {"Failure:  is not a call or the buro is not followed by an address."}},
        {"a line of 12 bytes",
         "Q1ABC  Q2MGR",
         ";;;;NO;NO;NO;;;YES;;;0;;;;;",
         {"Failure:  is not a call or the buro is not followed by an address."}},
        {"no space: the whole line is the first word",
         "XYZLANDBUREAUWITHOUTSPACES",
         "XYZLANDBUREAUWITHOUTSPACES;;;;NO;NO;NO;;;YES;;;0;;;;;WITHOUTSPACES",
         {"Failure: XYZLANDBUREAUWITHOUTSPACES is not a call or the buro is not followed by an address."}},
        {"no space, a call", "Q1ABCDEFGHIJKLMNOPQRSTU", ";;;;NO;NO;NO;;;NO;;;0;;;;;"},
    });
}

TEST(ListLineParser, Remarks)
{
    expectRecords({
        {"see also past the bracket", example("QA/Q1ABC", "QSL via Q2MGR (see also Q3XYZ) New Manager"),
         "Q1ABC;QA;Q2MGR;Q3XYZ;NO;YES;NO;;;NO;;;0;;;;;"},
        {"see also, short call", example("Q1ABC", "QSL via Q2MGR (see also Q3) x"),
         "Q1ABC;;Q2MGR;Q3;NO;NO;NO;;;NO;;;0;;;;;"},
        {"see also without a bracket", example("Q1ABC", "QSL via Q2MGR see also Q3 x"),
         "Q1ABC;;Q2MGR;Q3;NO;NO;NO;;;NO;;;0;;;;;"},
        {"see also at the line's end", example("Q1ABC", "QSL via Q2MGR see also Q3XYZ", 0),
         "Q1ABC;;Q2MGR;Q3XYZ;NO;NO;NO;;;NO;;;0;;;;;"},
        {"only direct and Ex-", example("Q1ABC", "QSL via Q2MGR only direct (Ex-Q4OLD)"),
         "Q1ABC;;Q2MGR;;NO;NO;YES;;Q4OLD;NO;;;0;;;;;"},
        {"Ex-Buro", example("Q1ABC", "QSL via Q2MGR only direct (Ex-Buro)"), "Q1ABC;;Q2MGR;;NO;NO;YES;;;NO;;;0;;;;;"},
        {"ex- in small letters", example("Q1ABC", "QSL via Q2MGR (ex-q4old)"),
         "Q1ABC;;Q2MGR;;NO;NO;NO;;q4old;NO;;;0;;;;;"},
        {"Ex- without ) is logged and the parse goes on",
         example("Q1ABC", "QSL via Q2MGR Ex-Q4OLD see also Q3XYZ"),
         "Q1ABC;;Q2MGR;Q3XYZ;NO;NO;NO;;;NO;;;0;;;;;",
         {std::string(ListLineParser::ExManagerFailure)}},
        {"no Ex- on a bureau line", example("XYZLAND", "Bureau, Box 9, Ex-Q4OLD"),
         "XYZLAND;;;;NO;NO;NO;;;YES;;;0;Bureau;Box 9;Ex-Q4OLD;;"},
        {"New Manager at column 14 does not count", example("Q1ABC", "New Manager, Box 1, City"),
         "Q1ABC;;;;NO;NO;NO;;;NO;;;0;New Manager;Box 1;City;;"},
        {"himself via", example("Q1ABC", "QSL via Q2MGR himself via Q6ABC"),
         "Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;Q6ABC;;0;;;;;"},
        {"himself via in brackets", example("Q1ABC", "QSL via Q2MGR (himself via Q6ABC)"),
         "Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;Q6ABC;;0;;;;;"},
        {"for", example("Q1ABC", "QSL via Q2MGR (for Q5XYZ)"), "Q1ABC;;Q2MGR;;NO;NO;NO;Q5XYZ;;NO;;;0;;;;;"},
        {"for is not trimmed", example("Q1ABC", "QSL via Q2MGR (for Q5XYZ )"),
         "Q1ABC;;Q2MGR;;NO;NO;NO;Q5XYZ ;;NO;;;0;;;;;"},
    });
}

TEST(ListLineParser, OpenBracketIsRepairedAfterTenBytes)
{
    const std::string open = "QSL via Q2MGR (for Q5XYZ";
    const std::string record = "Q1ABC;;Q2MGR;;NO;NO;NO;Q5XYZ     ;;NO;;;0;;;;;";
    expectRecords({
        {"116 bytes", example("Q1ABC", open, 116), record, {BracketFailure}},
        {"60 bytes", example("Q1ABC", open, 60), record, {BracketFailure}},
        {"fewer than ten bytes follow",
         example("Q1ABC", open, 0),
         "Q1ABC;;Q2MGR;;NO;NO;NO;Q5XYZ;;NO;;;0;;;;;",
         {BracketFailure}},
        {"(for at the line's end",
         example("Q1ABC", "QSL via Q2MGR (for ", 0),
         "Q1ABC;;Q2MGR;;NO;NO;NO;;;NO;;;0;;;;;",
         {BracketFailure}},
        {"(for beyond column 102",
         example("Q1ABC", std::string(100, ' ') + "(for Q5XYZ", 0),
         ";;;;NO;NO;NO;Q5XYZ;;NO;;;0;;;;;",
         {BracketFailure}},
    });
}

TEST(ListLineParser, LaterStepsSeeTheRepairedLine)
{
    RecordingFailures failures;
    ListLineParser parser(failures);
    ListEntry entry;
    const std::string line = example("Q1ABC", "QSL via Q2MGR (for Q5XYZ himself via Q6ABC", 0);
    const std::string_view parsed = parser.parse(line, entry);
    EXPECT_EQ(failures.lines, std::vector<std::string>{line}); // logged before its repair
    EXPECT_EQ(entry.ForCall, "Q5XYZ hims");
    EXPECT_EQ(parsed, example("Q1ABC", "QSL via Q2MGR (for Q5XYZ hims)elf via Q6ABC", 0));
    EXPECT_EQ(entry.HimselfViaCall, "");
}

TEST(ListLineParser, BureauFailureLogsTheLineAsRead)
{
    RecordingFailures failures;
    ListLineParser parser(failures);
    ListEntry entry;
    std::string line = example("XYZLAND", "QSL Bureau only");
    parser.parse(line, entry);
    EXPECT_EQ(failures.lines, std::vector<std::string>{example("XYZLAND", "QSL Bureau only")});
    EXPECT_EQ(failures.messages, std::vector<std::string>{BureauOnlyFailure});
}

} // namespace
} // namespace borvelin
