// SPDX-License-Identifier: GPL-3.0-or-later
// A list of clean lines of every kind, with faults planted among them, and a route
// history: Check List must find every planted fault and nothing else.
#include "CheckResults.h"
#include "check/FindingCode.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <random>

namespace borvelin {
namespace {

using test::LineCode;
using test::listLine;

class PlantedList {
public:
    explicit PlantedList(unsigned seed) : random_(seed) {}

    // A clean line of a new station, some with a history of one manager a month;
    // returns its line number.
    std::size_t addClean()
    {
        const std::string station = call("QS", stations_.size());
        stations_.push_back(station);
        cleanLines_.push_back(lines_.size());
        for (unsigned month = 1, months = pick(3); month <= months; ++month) {
            const std::string manager = call("QM", 3000 + pick(50));
            history_ += station + ";" + manager + ";2015-0" + std::to_string(month) + ";A.CSV\n";
            history_ +=
                station + ";" + manager + ";2015-0" + std::to_string(month) + "-2" + std::to_string(month) + ";B.CSV\n";
        }
        return add(listLine(station, cleanRoute(station)));
    }

    std::size_t add(std::string line, std::set<int> codes = {})
    {
        lines_.push_back(std::move(line));
        for (const int code : codes)
            expected_.emplace(lines_.size(), code);
        return lines_.size();
    }
    void expect(std::size_t lineNumber, int code) { expected_.emplace(lineNumber, code); }

    // One fault of the given code; the lines it names on get the code.
    void plant(int code)
    {
        const std::string station = call("QF", faults_++);
        const std::string manager = call("QM", faults_);
        switch (code) {
        case 1: add(listLine(station, "QSL via " + manager + " (for Q5XYZ", 116), {1}); break;
        case 2: add(listLine("Q-" + std::to_string(faults_), "QSL via " + manager), {2}); break;
        case 3: add(listLine(station, "QSL via " + manager + "/ "), {3}); break;
        case 4: {
            const std::size_t first = add(listLine(station, "QSL via " + manager));
            addClean();
            add(listLine(station, "P.O. Box 7, Harbour Road 1, Testburg"), {4});
            expect(first, 4);
            break;
        }
        case 5:
            if (cleanLines_.empty())
                addClean();
            add(lines_.at(cleanLines_[pick(cleanLines_.size())]), {5});
            break;
        case 6: {
            add(listLine(station, "QSL via " + manager), {6});
            add(listLine(station, "NOT via " + manager + "! moved"), {6});
            break;
        }
        case 7:
            add(listLine(manager, pick(2) ? "PIRATE" : "NOT LONGER Q9XYZ "));
            add(listLine(station, "QSL via " + manager), {7});
            break;
        case 8: add(listLine(station, "QSL via " + station), {8}); break;
        case 9:
            add(listLine(station, "QSL via " + manager), {9});
            add(listLine(manager, "QSL via " + call("QN", faults_)));
            break;
        case 10: add(listLine(station, "QSL via " + manager + " (see also " + call("QZ", faults_) + ")"), {10}); break;
        case 11: add(station + " QSL via " + manager, {11}); break;
        case 12: add(listLine(station + "\xb0", "QSL via " + manager), {12}); break;
        case 13: add("QLAND" + std::string(1, static_cast<char>('A' + faults_ % 26)), {1, 13}); break;
        case 14:
            add(listLine(station, "QSL via " + manager), {14});
            history_ += station + ";" + manager + ";2016-04;A.CSV\n" + station + ";" + call("QO", faults_) +
                        ";2016-04-30;B.CSV\n";
            break;
        default: FAIL() << "no fault of code " << code;
        }
    }

    const std::vector<std::string>& lines() const { return lines_; }
    const std::string& history() const { return history_; }
    const std::set<LineCode>& expected() const { return expected_; }

private:
    unsigned pick(std::size_t n) { return static_cast<unsigned>(random_() % n); }

    // Distinct calls with a two-letter prefix: QS1ABC...
    static std::string call(const std::string& prefix, std::size_t index)
    {
        std::string text = prefix + std::to_string(index % 10);
        for (index /= 10; text.size() < prefix.size() + 4; index /= 26)
            text += static_cast<char>('A' + index % 26);
        return text;
    }

    std::string cleanRoute(const std::string& station)
    {
        const std::string manager = call("QM", 1000 + pick(50));
        const std::string seeAlso = stations_.size() > 1 ? stations_[pick(stations_.size() - 1)] : station;
        switch (pick(12)) {
        case 0: return "QSL via " + manager + " New Manager";
        case 1: return "QSL via " + manager + " only direct (Ex-" + call("QM", 2000 + pick(50)) + ")";
        case 2: return "QSL via " + manager + " (see also " + seeAlso + ")";
        case 3: return "QSL via " + manager + " (for " + station + ") himself via " + manager + " ";
        case 4: return "P.O. Box " + std::to_string(pick(999)) + ", Mill Lane 5, Sampleville, Qland";
        case 5: return "NOT via " + manager + "! new info";
        case 6: return "NOT via " + manager + ", P.O. Box 3, Nowhere City";
        case 7: return "NOT MORE " + manager + " ";
        case 8: return "NOT LONGER " + manager + " ";
        case 9: return "PIRATE";
        default: return "QSL via " + manager + (pick(2) ? std::string(30, ' ') : "");
        }
    }

    std::mt19937 random_;
    std::vector<std::string> lines_;
    std::string history_;
    std::vector<std::string> stations_;
    std::vector<std::size_t> cleanLines_; // indices into lines_
    std::set<LineCode> expected_;
    std::size_t faults_ = 0;
};

TEST(PlantedFaults, EveryPlantedFaultIsFoundAndNothingElse)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        PlantedList list(seed);
        std::mt19937 random(seed);
        for (int i = 0; i < 3000; ++i) {
            if (random() % 40 == 0)
                list.plant(static_cast<int>(FirstCode + random() % LastCode));
            else
                list.addClean();
        }
        for (int code = FirstCode; code <= LastCode; ++code)
            list.plant(code);
        // Bureau lines, and a home call, among them.
        list.add(listLine("QA/QS0AAA", "QSL via Home Call"));
        list.add(listLine("QLAND", "QSL Bureau, P.O. Box 9, Capital City, Qland"));
        EXPECT_EQ(test::lineCodes(test::checkInMemory(list.lines(), list.history())), list.expected())
            << "seed " << seed;
    }
}

} // namespace
} // namespace borvelin
