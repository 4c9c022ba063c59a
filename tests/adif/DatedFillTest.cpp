// SPDX-License-Identifier: GPL-3.0-or-later
// The fill by the date of the QSO against a model of the rule: histories from two
// sources imported, a log of random dates filled, and each QSO's code and route compared
// with what the rule gives.
#include "adif/AdifFillJob.h"
#include "import/ImportJob.h"
#include "support/GeneratedLists.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace borvelin {
namespace {

using test::crlfLines;
using test::listLine;

struct Row {
    int month; // YYYYMM
    std::string manager;
};

// What the rule gives a QSO: its code, and the route added (empty for none).
struct Outcome {
    std::string code;
    std::string via;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out)
{
    *out << outcome.code << " " << (outcome.via.empty() ? "(nothing added)" : outcome.via);
}

class HistoryModel {
public:
    explicit HistoryModel(unsigned seed) : random_(seed) {}

    // Rows of `count` stations, some with a portable form of their own, from the two
    // sources; months with two managers among them, and rows repeated by both sources.
    std::string rows(int count)
    {
        std::string text = "CALL;MANAGER;DATE;SOURCE\n";
        for (int station = 0; station < count; ++station) {
            const std::string call = "Q" + std::to_string(station % 10) + "H" + letters(station / 10);
            calls_.push_back(call);
            text += rowsOf(call);
            if (pick(4) == 0) {
                calls_.push_back("QA/" + call);
                text += rowsOf("QA/" + call);
            }
        }
        return text;
    }

    // A log of `count` QSOs: the calls of the rows, and of another portable form that
    // has no rows of its own; dates around the rows', first days of months among them,
    // and QSOs without a date.
    std::string log(int count)
    {
        std::string text = "<EOH>\n";
        for (int qso = 0; qso < count; ++qso) {
            std::string call = calls_[pick(calls_.size())];
            if (pick(5) == 0 && call.find('/') == std::string::npos)
                call = "QB/" + call;
            const int year = 2003 + static_cast<int>(pick(20));
            const std::string month = twoDigits(1 + pick(12));
            const std::string day = pick(3) == 0 ? "01" : twoDigits(1 + pick(28));
            text += field("CALL", call);
            if (pick(20) != 0)
                text += field("QSO_DATE", std::to_string(year) + month + day);
            text += "<EOR>\n";
            qsos_.push_back(call);
        }
        return text;
    }

    // What the rule gives QSO `index` (from 0); the list's manager of each call comes
    // from the imported QSL.TXT.
    Outcome expected(std::size_t index, const std::string& qsoDate, const std::map<std::string, std::string>& listed)
    {
        const std::string& call = qsos_[index];
        const std::string home = call.starts_with("QB/") ? call.substr(3) : call;
        const int month = qsoDate.empty() ? 0 : std::stoi(qsoDate.substr(0, 6));
        const std::vector<Row>& lines = history_.at(history_.count(call) ? call : home);
        const int newest = std::max_element(lines.begin(), lines.end(), [](const Row& a, const Row& b) {
                               return a.month < b.month;
                           })->month;
        if (month == 0 || month >= newest) {
            const bool own = listed.count(call) != 0;
            return {own ? "ADDED" : "INFERRED", listed.at(own ? call : home)};
        }
        int holding = 0;
        for (const Row& row : lines)
            if (row.month <= month)
                holding = std::max(holding, row.month);
        const bool earlier = holding == 0;
        if (earlier) {
            holding = newest;
            for (const Row& row : lines)
                holding = std::min(holding, row.month);
        }
        std::set<std::string> managers;
        for (const Row& row : lines)
            if (row.month == holding)
                managers.insert(row.manager);
        if (managers.size() > 1)
            return {"CONFLICT", ""};
        return {earlier ? "EARLIER" : "DATED", *managers.begin()};
    }

private:
    unsigned pick(std::size_t n) { return static_cast<unsigned>(random_() % n); }
    static std::string twoDigits(unsigned n)
    {
        return std::string(1, static_cast<char>('0' + n / 10)) + char('0' + n % 10);
    }
    static std::string letters(int n)
    {
        std::string text;
        for (int i = 0; i < 3; ++i, n /= 26)
            text += static_cast<char>('A' + n % 26);
        return text;
    }
    static std::string field(const std::string& name, const std::string& data)
    {
        return "<" + name + ":" + std::to_string(data.size()) + ">" + data;
    }

    // One to five rows, some in a month of another row: from the other source with
    // another manager (two managers that month) or the same one (no conflict).
    std::string rowsOf(const std::string& call)
    {
        static const char* const Sources[] = {"ALPHA.CSV", "BETA.CSV"};
        std::string text;
        std::vector<Row>& rows = history_[call];
        for (unsigned row = 0, count = 1 + pick(5); row < count; ++row) {
            const bool sameMonth = !rows.empty() && pick(4) == 0;
            const int month = sameMonth ? rows[pick(rows.size())].month
                                        : (2005 + static_cast<int>(pick(15))) * 100 + 1 + static_cast<int>(pick(12));
            const std::string manager = "Q" + std::to_string(pick(10)) + "M" + letters(static_cast<int>(pick(5)));
            const std::string date = std::to_string(month / 100) + "-" + twoDigits(month % 100) +
                                     (pick(2) ? "-" + twoDigits(1 + pick(28)) : "");
            rows.push_back({month, manager});
            text += call + ";" + manager + ";" + date + ";" + Sources[pick(2)] + "\n";
        }
        return text;
    }

    std::mt19937 random_;
    std::vector<std::string> calls_;
    std::map<std::string, std::vector<Row>> history_;
    std::vector<std::string> qsos_; // the call of each
};

// The route of every station line of a list: "CALL ... QSL via MANAGER".
std::map<std::string, std::string> managersOf(const std::string& list)
{
    std::map<std::string, std::string> managers;
    for (const std::string& line : test::linesOf(list)) {
        const std::string call = line.substr(0, line.find(' '));
        const std::size_t via = line.find("QSL via ");
        managers[call] = line.substr(via + 8, line.find(' ', via + 8) - via - 8);
    }
    return managers;
}

TEST(DatedFill, EveryQsoGetsWhatTheRuleGives)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        HistoryModel model(seed);
        test::MemoryFiles files;
        files.files["ROWS.CSV"] = model.rows(400);
        JobState state;
        test::RecordingStatus status;
        ImportJob(state, status, "ROWS.CSV", ImportMode::Replace, files).run();
        files.files["LOG.adi"] = model.log(3000);
        AdifFillJob(state, status, "LOG.adi", files).run();

        const std::map<std::string, std::string> listed = managersOf(files.files["QSL.TXT"]);
        const std::vector<std::string> log = test::linesOf(files.files["LOG.adi"]);
        std::map<std::string, std::size_t> codes;
        for (const std::string& point : test::linesOf(files.files["QSLVIA.CSV"])) {
            std::vector<std::string> fields;
            for (std::size_t from = 0, to; fields.size() < 4; from = to + 1)
                fields.push_back(point.substr(from, (to = point.find(';', from)) - from));
            const std::size_t qso = std::stoul(fields[0]);
            if (qso == 0)
                continue;
            const std::string& line = log.at(qso); // the header is line 0
            const std::size_t via = line.find("<QSL_VIA:");
            const Outcome filled{
                fields[3], via == std::string::npos
                               ? ""
                               : line.substr(line.find('>', via) + 1, line.find("<EOR>") - line.find('>', via) - 1)};
            ASSERT_EQ(filled, model.expected(qso - 1, fields[2], listed)) << "seed " << seed << ", " << point;
            ++codes[fields[3]];
        }
        std::size_t points = 0;
        for (const auto& [code, count] : codes)
            points += count;
        EXPECT_EQ(points, 3000u) << "one point for every QSO";
        for (const char* code : {"ADDED", "INFERRED", "DATED", "EARLIER", "CONFLICT"})
            EXPECT_GT(codes[code], 20u) << code << " too rare to tell, seed " << seed;
    }
}

// The list's word still counts for a QSO of another month: no PIRATE, no NOT via; a QSO
// without a date, and a QSL_VIA there, are as before; --exact leaves out the history of
// another form of the call.
TEST(DatedFill, TheListsRulesHoldOnTop)
{
    // Out of order, as a history mended by hand may be.
    const std::string history = "Q1ABC;Q3NEW;2020-01;A.CSV\r\n"
                                "Q1ABC;Q2OLD;2012-03;A.CSV\r\n"
                                "Q5DEF;Q6BAD;2012-03;A.CSV\r\n"
                                "Q5DEF;Q7NEW;2020-01;B.CSV\r\n"
                                "Q8GHI;Q9OLD;2012-03;A.CSV\r\n"
                                "Q8GHI;Q4NEW;2020-01;B.CSV\r\n";
    const std::vector<std::string> list = {listLine("Q1ABC", "QSL via Q3NEW "), listLine("Q5DEF", "QSL via Q7NEW "),
                                           listLine("Q6BAD", "PIRATE"), listLine("Q8GHI", "QSL via Q4NEW "),
                                           listLine("Q8GHI", "NOT via Q9OLD! moved")};
    struct Case {
        std::string qso;
        std::string point; // the QSO's row of QSLVIA.CSV after its number and call
        std::string via;   // the QSL_VIA the log then has, or nothing
        FillRoutes routes = FillRoutes::AlsoInferred;
    };
    const std::vector<Case> cases = {
        {"<CALL:5>Q1ABC<QSO_DATE:8>20150101",
         "20150101;DATED;QSL_VIA Q2OLD added, the history gives Q2OLD (A.CSV) in 2012-03", "Q2OLD"},
        {"<CALL:5>Q1ABC", ";ADDED;QSL_VIA Q3NEW added", "Q3NEW"},
        {"<CALL:5>Q5DEF<QSO_DATE:8>20150101",
         "20150101;PIRATE;the history gives Q6BAD (A.CSV) in 2012-03 and the list marks Q6BAD PIRATE", ""},
        {"<CALL:5>Q8GHI<QSO_DATE:8>20150101",
         "20150101;NOTVIA;the history gives Q9OLD (A.CSV) in 2012-03 and the list says NOT via Q9OLD", ""},
        {"<CALL:5>Q1ABC<QSO_DATE:8>20150101<QSL_VIA:5>Q3NEW",
         "20150101;DIFFERS;QSL_VIA Q3NEW left as it was, the history gives Q2OLD (A.CSV) in 2012-03", "Q3NEW"},
        {"<CALL:8>QB/Q1ABC<QSO_DATE:8>20150101",
         "20150101;DATED;QSL_VIA Q2OLD added, the history of Q1ABC gives Q2OLD (A.CSV) in 2012-03", "Q2OLD"},
        {"<CALL:8>QB/Q1ABC<QSO_DATE:8>20150101",
         "20150101;INFERRED;QSL_VIA Q3NEW not added, the route of Q1ABC (exact calls only)", "", FillRoutes::Exact},
    };
    for (const Case& c : cases) {
        test::MemoryFiles files;
        files.files["QSL.TXT"] = crlfLines(list);
        files.files["QSLHIST.CSV"] = history;
        files.files["LOG.adi"] = c.qso + "<EOR>";
        JobState state;
        test::RecordingStatus status;
        AdifFillJob(state, status, "LOG.adi", files, c.routes).run();
        const std::string points = files.files["QSLVIA.CSV"];
        EXPECT_EQ(points.substr(0, points.find("\r\n")).substr(points.find(';', 2) + 1), c.point) << c.qso;
        const std::size_t via = files.files["LOG.adi"].find("<QSL_VIA:");
        EXPECT_EQ(via == std::string::npos ? "" : files.files["LOG.adi"].substr(via + 11, 5), c.via) << c.qso;
    }
}

} // namespace
} // namespace borvelin
