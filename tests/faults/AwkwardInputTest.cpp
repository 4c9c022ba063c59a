// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSuite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>

namespace borvelin::faults {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::crlfLines;
using test::listLine;
using test::readFile;
using test::writeFile;

const std::string EmptyLineFailure = "Failure:  is not a call or the buro is not followed by an address.";

// The lines joined by the breaks, taken in turn; without `finalBreak` the last line has none.
std::string joinLines(const std::vector<std::string>& lines, const std::vector<std::string>& breaks,
                      bool finalBreak = true)
{
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (finalBreak || i + 1 < lines.size())
            bytes += breaks[i % breaks.size()];
    }
    return bytes;
}

std::vector<std::string> splitCrlf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the file does not end in CR LF";
    return lines;
}

std::vector<std::string> longerThan20(const std::vector<std::string>& lines)
{
    std::vector<std::string> kept;
    for (const auto& line : lines)
        if (line.size() > 20)
            kept.push_back(line);
    return kept;
}

std::string repeated(const std::string& text, int times)
{
    std::string bytes;
    for (int i = 0; i < times; ++i)
        bytes += text;
    return bytes;
}

// The log's entries as (line, message) pairs; their date lines are left out.
std::vector<std::pair<std::string, std::string>> logEntries(const fs::path& log)
{
    const std::vector<std::string> lines = fs::exists(log) ? splitCrlf(readFile(log)) : std::vector<std::string>{};
    EXPECT_EQ(lines.size() % 3, 0u) << "the log holds a part of an entry";
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i + 2 < lines.size(); i += 3)
        entries.emplace_back(lines[i + 1], lines[i + 2]);
    return entries;
}

// Inputs no list should hold but some will: every job must take them and write what the
// bytes say, byte for byte.
class AwkwardInput : public FaultTest {
protected:
    CliResult runIn(const fs::path& place, const std::map<std::string, std::string>& files,
                    const std::vector<std::string>& commands)
    {
        fs::create_directory(place);
        for (const auto& [name, bytes] : files)
            writeFile(place / name, bytes);
        const CliResult result = runCli(place, commands);
        EXPECT_EQ(result.exitStatus, 0) << result.errorText;
        EXPECT_TRUE(temporaryFiles(place).empty());
        return result;
    }
};

TEST_F(AwkwardInput, EveryKindOfLineBreakGivesTheSameOutputs)
{
    auto list = plainList(600);
    list.push_back(listLine("Q1ABC", "QSL via Q2MGR (for Q5XYZ")); // logged: no ")"
    list.push_back("XYZLAND      QSL Bureau only");                // logged: no commas
    const auto ful = fulLines(list);
    struct Breaks {
        std::string name;
        std::vector<std::string> breaks;
        bool finalBreak;
    };
    const std::vector<Breaks> variants = {{"crlf", {"\r\n"}, true},
                                          {"lf", {"\n"}, true},
                                          {"cr", {"\r"}, true},
                                          {"mixed", {"\r\n", "\n", "\r"}, true},
                                          {"crlf-no-final-break", {"\r\n"}, false},
                                          {"cr-no-final-break", {"\r"}, false}};
    for (const auto& variant : variants) {
        runIn("txt-" + variant.name, {{"QSL.TXT", joinLines(list, variant.breaks, variant.finalBreak)}},
              {"list25", "buro", "txt2ful"});
        runIn("ful-" + variant.name, {{"QSL.FUL", joinLines(ful, variant.breaks, variant.finalBreak)}}, {"ful2txt"});
    }
    EXPECT_EQ(readFile("txt-crlf/QSL.FUL"), crlfLines(ful));
    EXPECT_EQ(readFile("ful-crlf/QSL.TXT"), crlfLines(longerThan20(ful)));
    EXPECT_EQ(logEntries("txt-crlf/BORVELIN.LOG").size(), 2u);
    for (const auto& variant : variants) {
        for (const char* output : {"QSL.CSV", "QSLMGR.TXT", "QSLADM.TXT", "QSL.FUL"})
            EXPECT_EQ(readFile("txt-" + variant.name + "/" + output), readFile("txt-crlf/"s + output))
                << variant.name << " " << output;
        EXPECT_EQ(logEntries("txt-" + variant.name + "/BORVELIN.LOG"), logEntries("txt-crlf/BORVELIN.LOG"))
            << variant.name;
        EXPECT_EQ(readFile("ful-" + variant.name + "/QSL.TXT"), readFile("ful-crlf/QSL.TXT")) << variant.name;
    }
}

TEST_F(AwkwardInput, NulAndBytesAbove127PassThroughUnchanged)
{
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            everyByte += static_cast<char>(byte);
    const std::string manager = "Q2\xe9\0\xff"s + "MGR";
    std::vector<std::string> list = {everyByte};
    std::vector<std::string> bureaus = {everyByte};
    for (int i = 0; i < 30; ++i) {
        list.push_back(listLine("Q1A" + std::to_string(i), "QSL via " + manager + " \x80\x90\xa0\0 only direct"s, 70));
        bureaus.push_back(listLine("QLAND\xc4\xd6", "QSL Bureau, P.O. Box \0 9, \xc5sterby \xff"s, 70));
        list.push_back(bureaus.back());
    }
    runIn("txt", {{"QSL.TXT", crlfLines(list)}}, {"list25", "buro", "txt2ful"});
    runIn("ful", {{"QSL.FUL", readFile("txt/QSL.FUL")}}, {"ful2txt"});

    EXPECT_EQ(readFile("txt/QSL.FUL"), crlfLines(fulLines(list)));
    EXPECT_EQ(readFile("ful/QSL.TXT"), crlfLines(longerThan20(fulLines(list))));
    EXPECT_EQ(readFile("txt/QSLADM.TXT"), crlfLines(bureaus));
    EXPECT_EQ(readFile("txt/QSLMGR.TXT"), manager + "\r\n");
    const auto records = splitCrlf(readFile("txt/QSL.CSV"));
    ASSERT_EQ(records.size(), list.size());
    for (int i = 0; i < 30; ++i) {
        const std::string start = "Q1A" + std::to_string(i) + ";;" + manager + ";;NO;NO;YES;";
        EXPECT_EQ(records[1 + 2 * i].substr(0, start.size()), start);
    }
    // The line of every byte is a bureau line without its second comma.
    const auto entries = logEntries("txt/BORVELIN.LOG");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].first, everyByte);
    EXPECT_EQ(entries[0].second, "Failure: " + everyByte.substr(0, everyByte.find(' ')) +
                                     " is not a call or the buro is not followed by an address.");
}

TEST_F(AwkwardInput, FileOfOnlyLineBreaks)
{
    constexpr int Lines = 2000;
    int variant = 0;
    for (const std::string lineBreak : {"\r\n", "\n", "\r"}) {
        const std::string place = "breaks-" + std::to_string(++variant);
        const std::string bytes = repeated(lineBreak, Lines);
        runIn(place, {{"QSL.TXT", bytes}}, {"list25", "buro", "txt2ful"});
        runIn(place + "-ful", {{"QSL.FUL", bytes}}, {"ful2txt"});
        // Every empty line becomes " ": a bureau line with an empty name and no address.
        EXPECT_EQ(readFile(place + "/QSL.CSV"), repeated(";;;;NO;NO;NO;;;YES;;;0;;;;;\r\n", Lines));
        EXPECT_EQ(readFile(place + "/QSLMGR.TXT"), "");
        EXPECT_EQ(readFile(place + "/QSLADM.TXT"), repeated(" \r\n", Lines));
        EXPECT_EQ(readFile(place + "/QSL.FUL"), "");
        EXPECT_EQ(readFile(place + "-ful/QSL.TXT"), "");
        const auto entries = logEntries(place + "/BORVELIN.LOG");
        ASSERT_EQ(entries.size(), static_cast<std::size_t>(Lines));
        for (const auto& [line, message] : entries)
            ASSERT_TRUE(line == " " && message == EmptyLineFailure) << line << "|" << message;
    }
}

TEST_F(AwkwardInput, LineOf100Megabytes)
{
    std::string bigLine = listLine("QLANDX", "QSL Bureau ");
    bigLine.resize(100 * 1000 * 1000, 'x');
    auto list = plainList(30);
    list.insert(list.begin() + 15, bigLine);
    std::vector<std::string> bureaus;
    for (const auto& line : list)
        if (line.starts_with("QLAND"))
            bureaus.push_back(line);

    fs::create_directory("big");
    writeFile("big/QSL.TXT", crlfLines(list));
    const CliResult conversions = runCli("big", {"list25", "buro", "txt2ful"});
    ASSERT_EQ(conversions.exitStatus, 0) << conversions.errorText;
    const CliResult back = runCli("big", {"ful2txt"});
    ASSERT_EQ(back.exitStatus, 0) << back.errorText;
    std::cout << "100 MB line: list25, buro and txt2ful " << conversions.seconds << " s, at most "
              << conversions.peakMemoryKiB / 1024 << " MiB; ful2txt " << back.seconds << " s, at most "
              << back.peakMemoryKiB / 1024 << " MiB\n";

    EXPECT_EQ(readFile("big/QSL.TXT"), crlfLines(list)); // there and back through QSL.FUL
    EXPECT_EQ(readFile("big/QSLADM.TXT"), crlfLines(bureaus));
    const auto records = splitCrlf(readFile("big/QSL.CSV"));
    ASSERT_EQ(records.size(), list.size());
    EXPECT_TRUE(records[15] == "QLANDX;;;;NO;NO;NO;;;YES;;;0;;;;;" + bigLine.substr(13))
        << records[15].substr(0, 80) << "... of " << records[15].size() << " bytes";
    const auto entries = logEntries("big/BORVELIN.LOG");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].first == bigLine);
    EXPECT_EQ(entries[0].second, "Failure: QLANDX is not a call or the buro is not followed by an address.");
    EXPECT_TRUE(temporaryFiles("big").empty());
}

} // namespace
} // namespace borvelin::faults
