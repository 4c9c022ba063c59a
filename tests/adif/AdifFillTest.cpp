// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/AdifFillJob.h"
#include "adif/RouteBook.h"
#include "jobs/JobError.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace borvelin {
namespace {

namespace fs = std::filesystem;
using test::crlfLines;
using test::listLine;
using test::readFile;
using test::RecordingStatus;
using test::TestDirectory;
using test::writeFile;

const std::vector<std::string> List = {
    listLine("Q1ABC", "QSL via Q2MGR"), // no blank behind the manager
    listLine("QA/Q1ABC", "QSL via Q3POR "),
    listLine("Q4HOM/P", "QSL via Home Call"),
    listLine("Q0BAD", "PIRATE"),
    listLine("Q5OLD", "QSL via Q6NEW "),
    listLine("Q5OLD", "NOT via Q7GONE! new info"),
    listLine("Q8DIR", "Box 12, Main Street 3, 99 City"),
    listLine("Q3BAD", "QSL via q2mgr)"), // no call: Check List's C3
};

class AdifFill : public ::testing::Test {
protected:
    void SetUp() override { writeFile("QSL.TXT", crlfLines(List)); }
    void fill(const std::string& log)
    {
        writeFile("LOG.adi", log);
        AdifFillJob(state, status, "LOG.adi").run();
    }

    TestDirectory directory;
    JobState state;
    RecordingStatus status;
};

// Letter case ignored, portable forms found both ways; the line of the call itself
// first, then the call without its suffix, then the home call.
TEST_F(AdifFill, LooksCallsUpAsTheyStandThenByTheirHomeCall)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Q1ABC", "Q2MGR"},    {"q1abc", "Q2MGR"}, {"Q1ABC/P", "Q2MGR"}, {"QB/Q1ABC", "Q2MGR"},
        {"qa/q1abc", "Q3POR"}, {"Q4HOM", "Q4HOM"}, {"Q4HOM/P", "Q4HOM"}, {" Q5OLD ", "Q6NEW"},
    };
    RouteBook book;
    for (const auto& [call, manager] : cases)
        book.noteCall(call);
    book.noteCall("Q9NOT");
    const std::vector<std::string_view> lines(List.begin(), List.end());
    book.beginList();
    book.takeListLines(lines);
    book.endList();
    for (const auto& [call, manager] : cases) {
        const StationRoutes* routes = book.find(call).routes;
        ASSERT_NE(routes, nullptr) << call;
        EXPECT_EQ(routes->manager(), manager) << call;
    }
    EXPECT_EQ(book.find("Q9NOT").routes, nullptr);
    EXPECT_EQ(book.find("Q5OLD/M").routes->notRoutes.size(), 1u);
}

TEST_F(AdifFill, AddsMissingRoutesAndKeepsEveryOtherByte)
{
    const std::string header = "Log of Q9ME, for a test\r\n<ADIF_VER:5>3.1.0 <programid:4>TEST\r\n<EOH>\r\n\r\n";
    const std::vector<std::pair<std::string, std::string>> qsos = {
        {"<CALL:5>Q1ABC<QSO_DATE:8:D>20240501<BAND:3>20M<EOR>\r\n",
         "<CALL:5>Q1ABC<QSO_DATE:8:D>20240501<BAND:3>20M<QSL_VIA:5>Q2MGR<EOR>\r\n"},
        {"<call:10>QA/Q1ABC/P   <qso_date:8>20240502\n  <qsl_via:0:s> <eor>\n",
         "<call:10>QA/Q1ABC/P   <qso_date:8>20240502\n  <qsl_via:5:s>Q3POR <eor>\n"},
        {"<Call:7>Q4HOM/P<QSO_DATE:8>20240503<App_X_Note:9>a <b> c\r\n<QSL_VIA:2>  <EOR>",
         "<Call:7>Q4HOM/P<QSO_DATE:8>20240503<App_X_Note:9>a <b> c\r\n<QSL_VIA:5>Q4HOM<EOR>"},
        {"<CALL:5>Q5OLD<QSO_DATE:8>20240504<QSL_VIA:6>q7gone<EOR>", ""},
        {"<CALL:5>Q0BAD<QSO_DATE:8>20240505<EOR>", ""},
        {"<CALL:5>Q9NEW<QSO_DATE:8>20240506<EOR>", ""},
        {"<CALL:5>Q8DIR<QSO_DATE:8>20240507<EOR>", ""},
        {"<QSO_DATE:8>20240508<EOR>\r\n", ""},
        {"<CALL:6>Q1ABC\t<QSO_DATE:8>20240509<EOR>", "<CALL:6>Q1ABC\t<QSO_DATE:8>20240509<QSL_VIA:5>Q2MGR<EOR>"},
        {"<CALL:5>Q3BAD<QSO_DATE:8>20240510<EOR>", ""},
    };
    std::string log = header;
    std::string filled = header;
    for (const auto& [qso, withRoute] : qsos) {
        log += qso;
        filled += withRoute.empty() ? qso : withRoute;
    }
    fill(log + "\r\n");
    EXPECT_EQ(readFile("LOG.adi"), filled + "\r\n");
    EXPECT_EQ(readFile("LOG.adi.bak"), log + "\r\n");
    EXPECT_EQ(readFile("QSLVIA.CSV"),
              crlfLines({
                  "1;Q1ABC;20240501;ADDED;QSL_VIA Q2MGR added",
                  "2;QA/Q1ABC/P;20240502;INFERRED;QSL_VIA Q3POR added, the route of QA/Q1ABC",
                  "3;Q4HOM/P;20240503;ADDED;QSL_VIA Q4HOM added",
                  "4;Q5OLD;20240504;NOTVIA;QSL_VIA Q7GONE: the list says NOT via Q7GONE",
                  "4;Q5OLD;20240504;DIFFERS;QSL_VIA Q7GONE left as it was, the list gives Q6NEW",
                  "5;Q0BAD;20240505;PIRATE;the list marks Q0BAD PIRATE",
                  "6;Q9NEW;20240506;UNLISTED;the list does not have Q9NEW",
                  "7;Q8DIR;20240507;DIRECT;direct to Box 12, Main Street 3, 99 City",
                  "9;Q1ABC;20240509;ADDED;QSL_VIA Q2MGR added",
                  "10;Q3BAD;20240510;MALFORMED;the list gives the manager q2mgr), which is no call",
                  "0;;;ADDED;3",
                  "0;;;INFERRED;1",
                  "0;;;DIFFERS;1",
                  "0;;;PIRATE;1",
                  "0;;;NOTVIA;1",
                  "0;;;MALFORMED;1",
                  "0;;;DIRECT;1",
                  "0;;;UNLISTED;1",
              }));
    EXPECT_EQ(status.textsOf(1).back(), "Records: 10");

    // Filled once, the log needs nothing more: it is left alone, its backup too.
    writeFile("LOG.adi.bak", "the backup");
    fill(filled);
    EXPECT_EQ(readFile("LOG.adi"), filled);
    EXPECT_EQ(readFile("LOG.adi.bak"), "the backup");
}

// No route the list speaks against is written: each case is one station's lines, and
// what a QSO with it and without QSL_VIA gets.
TEST(AdifFillCodes, EachCodeAddsOrWithholdsTheRoute)
{
    struct Case {
        std::vector<std::string> lines;
        std::string call;
        std::string code;
        std::string added; // the QSL_VIA written, or nothing
        FillRoutes fillRoutes = FillRoutes::AlsoInferred;
    };
    const std::vector<Case> cases = {
        {{listLine("Q1ABC", "QSL via Q2MGR ")}, "Q1ABC", "ADDED", "Q2MGR"},
        {{listLine("Q3DEF", "QSL via Q4MGR "), listLine("Q4MGR", "PIRATE")}, "Q3DEF", "PIRATE", ""},
        {{listLine("Q1ABC", "QSL via Q2MGR "), listLine("Q1ABC", "NOT via Q2MGR")}, "Q1ABC", "NOTVIA", ""},
        {{listLine("Q1ABC", "QSL via Q2MGR "), listLine("Q1ABC", "NOT MORE Q2MGR ")}, "Q1ABC", "NOTVIA", ""},
        {{listLine("Q1ABC", "QSL via q2mgr)")}, "Q1ABC", "MALFORMED", ""},
        {{listLine("Q1ABC", "QSL via Q2MGR "), listLine("Q1ABC", "QSL via Q3MGR ")}, "Q1ABC", "CONFLICT", ""},
        {{listLine("Q1ABC", "QSL via Q2MGR "), listLine("Q1ABC", "QSL via q2mgr ")}, "Q1ABC", "ADDED", "Q2MGR"},
        {{listLine("Q1ABC", "QSL via Q2MGR ")}, "QA/Q1ABC", "INFERRED", "Q2MGR"},
        {{listLine("Q1ABC", "QSL via Q2MGR ")}, "QA/Q1ABC", "INFERRED", "", FillRoutes::Exact},
        {{listLine("Q1ABC", "QSL via Q2MGR "), listLine("QA/Q1ABC", "QSL via Q3POR ")},
         "QA/Q1ABC",
         "ADDED",
         "Q3POR",
         FillRoutes::Exact},
        {{listLine("Q1ABC", "P.O. Box 7, Mill Lane 3, Testburg")}, "Q1ABC", "DIRECT", ""},
        {{listLine("Q1ABC", "PIRATE"), listLine("Q1ABC", "QSL via Q2MGR ")}, "Q1ABC", "PIRATE", ""},
    };
    for (const Case& c : cases) {
        test::MemoryFiles files;
        files.files["QSL.TXT"] = crlfLines(c.lines);
        const std::string qso = "<CALL:" + std::to_string(c.call.size()) + ">" + c.call + "<EOR>";
        files.files["LOG.adi"] = qso;
        JobState state;
        RecordingStatus status;
        AdifFillJob(state, status, "LOG.adi", files, c.fillRoutes).run();
        const std::string via = c.added.empty() ? "" : "<QSL_VIA:" + std::to_string(c.added.size()) + ">" + c.added;
        EXPECT_EQ(files.files["LOG.adi"], "<CALL:" + std::to_string(c.call.size()) + ">" + c.call + via + "<EOR>")
            << c.call << " " << c.code;
        EXPECT_NE(files.files["QSLVIA.CSV"].find("1;" + c.call + ";;" + c.code + ";"), std::string::npos)
            << files.files["QSLVIA.CSV"];
    }
}

TEST_F(AdifFill, ABrokenLogStopsTheJobNamingTheQsoAndTheOffsetAndChangesNothing)
{
    const std::string good = "<CALL:5>Q1ABC<EOR>\n"; // 19 bytes
    struct Case {
        std::string log;
        int error;
        std::string where;
    };
    const std::vector<Case> cases = {
        {good + "<CALL:5>Q1ABC<QSO_DATE 8>20240501<EOR>", 321, "QSO 2, byte offset 32"},
        {good + "<CALL:5>Q1ABC<QSL_VIA>Q2MGR<EOR>", 321, "QSO 2, byte offset 32"},
        {good + "<CALL:x>Q1ABC<EOR>", 321, "QSO 2, byte offset 19"},
        {good + "<CALL:5:>Q1ABC<EOR>", 321, "QSO 2, byte offset 19"},
        {good + "<CALL:5>Q1ABC < 10 W<EOR>", 321, "QSO 2, byte offset 33"},
        {good + "<CALL:5>Q1ABC<COMMENT:40>too short<EOR>", 62, "QSO 2, byte offset 32"},
        {good + "<CALL:5>Q1ABC", 62, "QSO 2, byte offset 32"},
        {good + "<CALL:5>Q1A", 62, "QSO 2, byte offset 19"},
        {"header <ADIF_VER:5>3.1.0 <EOH" + good, 321, "the header, byte offset 25"},
        {good + "<EOH>", 321, "QSO 2, byte offset 19"},
    };
    for (const Case& c : cases) {
        writeFile("LOG.adi", c.log);
        try {
            AdifFillJob(state, status, "LOG.adi").run();
            ADD_FAILURE() << c.log << ": no error";
        } catch (const JobError& error) {
            EXPECT_EQ(error.number(), c.error) << c.log;
            EXPECT_NE(std::string(error.what()).find(c.where), std::string::npos) << c.log << ": " << error.what();
            EXPECT_EQ(error.fileName(), "LOG.adi");
        }
        EXPECT_EQ(readFile("LOG.adi"), c.log);
        EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"LOG.adi", "QSL.TXT"})) << c.log;
    }
}

// A file that is no log (plain text, or a header whose <EOH> is missing, which would make
// it part of the first QSO) is refused: the log and QSLVIA.CSV stay as they were.
TEST_F(AdifFill, AFileThatIsNoLogIsRefusedAndChangesNothing)
{
    struct Case {
        std::string log;
        std::string what;
    };
    const std::vector<Case> cases = {
        {"Q1ABC 20240501 14.074 FT8\r\nQ3DEF 20240502 7.074 FT8\r\n", "no ADIF field"},
        {"", "no ADIF field"},
        {"<EOH>\r\n", "no ADIF field"},
        {"Log of Q9ME\r\n<ADIF_VER:5>3.1.0\r\n<CALL:5>Q1ABC<EOR>\r\n",
         "the header, byte offset 45: the header has no <EOH>"},
        {"Log of Q9ME\r\n<ADIF_VER:5>3.1.0\r\n", "the header has no <EOH>"},
    };
    writeFile("QSLVIA.CSV", "the report before\r\n");
    for (const Case& c : cases) {
        writeFile("LOG.adi", c.log);
        try {
            AdifFillJob(state, status, "LOG.adi").run();
            ADD_FAILURE() << c.log << ": no error";
        } catch (const JobError& error) {
            EXPECT_EQ(error.number(), 321) << c.log;
            EXPECT_NE(std::string(error.what()).find(c.what), std::string::npos) << c.log << ": " << error.what();
        }
        EXPECT_EQ(readFile("LOG.adi"), c.log);
        EXPECT_EQ(readFile("QSLVIA.CSV"), "the report before\r\n");
        EXPECT_EQ(directory.fileNames(), (std::vector<std::string>{"LOG.adi", "QSL.TXT", "QSLVIA.CSV"})) << c.log;
    }
    // A log that begins with "<" has no header to end.
    fill("<CALL:5>Q1ABC<EOR>\r\n");
    EXPECT_EQ(readFile("LOG.adi"), "<CALL:5>Q1ABC<QSL_VIA:5>Q2MGR<EOR>\r\n");
}

} // namespace
} // namespace borvelin
