// SPDX-License-Identifier: GPL-3.0-or-later
// Lookup, Check List, import and Fill QSL Via read the same route from the same line:
// the route texts of the fuzz corpus and lines of keyword pieces, each on a station of
// its own, go through all four, and what each says of the line must agree with what
// lookup says.
#include "adif/RouteBook.h"
#include "check/CheckJob.h"
#include "import/ImportJob.h"
#include "listline/CallShape.h"
#include "lookup/CallLookup.h"
#include "support/GeneratedLists.h"
#include "support/MemoryFiles.h"
#include "support/TestDirectory.h"
#include "text/Capitals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace borvelin {
namespace {

struct Station {
    std::string call;
    std::string line;
};

// The route texts, from column 14 of the corpus's lines and whole for the pieces, each
// behind a call of its own.
std::vector<Station> stations()
{
    std::vector<std::string> texts = test::keywordPieceLines(3000, 2112);
    for (const auto& entry : std::filesystem::directory_iterator(BORVELIN_LIST_LINE_CORPUS)) {
        const std::string line = test::readFile(entry.path());
        texts.push_back(line.size() > 13 ? line.substr(13) : line);
    }
    texts.push_back("QSL via q2mgr)");
    std::vector<Station> stations;
    for (std::size_t index = 0; index < texts.size(); ++index) {
        const std::string call = "Q" + std::to_string(index) + "X";
        stations.push_back({call, test::listLine(call, texts[index])});
    }
    return stations;
}

bool givesManager(const LookupHit& hit)
{
    return hit.route == RouteKind::Manager || hit.route == RouteKind::HomeCall;
}

// The lines whose QSLCHK.CSV rows say their "QSL via" names no call.
std::set<std::uint64_t> managerNoCallLines(const std::string& csv)
{
    std::set<std::uint64_t> lines;
    for (std::size_t begin = 0; begin < csv.size();) {
        const std::size_t end = csv.find("\r\n", begin);
        const std::string row = csv.substr(begin, end - begin);
        if ((row.find(";C3;") != std::string::npos || row.find(";C12;") != std::string::npos) &&
            row.find("\"QSL via\"") != std::string::npos)
            lines.insert(std::stoull(row));
        begin = end + 2;
    }
    return lines;
}

TEST(RouteAgreement, LookupCheckListImportAndTheFillReadOneRouteFromOneLine)
{
    const std::vector<Station> list = stations();
    std::vector<std::string> lines;
    std::vector<std::string> calls;
    for (const Station& station : list) {
        lines.push_back(station.line);
        calls.push_back(station.call);
    }
    test::MemoryFiles files;
    files.files["QSL.TXT"] = test::crlfLines(lines);
    const std::vector<LookupAnswer> answers = lookUpCalls(calls, files);

    JobState state;
    test::RecordingStatus status;
    CheckJob(state, status, files).run();
    const std::set<std::uint64_t> noCall = managerNoCallLines(files.files["QSLCHK.CSV"]);

    RouteBook book;
    for (const std::string& call : calls)
        book.noteCall(call);
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    book.beginList();
    book.takeListLines(views);
    book.endList();

    // Import merges rows naming the line's own manager where it is a call, another
    // call elsewhere: it logs the lines whose manager differs from the row's.
    test::TestDirectory directory;
    std::string rows;
    std::vector<std::string> rowManagers;
    for (std::size_t index = 0; index < list.size(); ++index) {
        const LookupHit& hit = answers[index].hits.at(0);
        const bool ownManager = givesManager(hit) && callshape::isWellFormedCall(hit.manager);
        rowManagers.push_back(ownManager ? capitals(hit.manager) : "Q2MGR");
        rows += list[index].call + ";" + rowManagers.back() + ";2024-01\n";
    }
    test::writeFile("QSL.TXT", test::crlfLines(lines));
    test::writeFile("IMPORT.CSV", rows);
    ImportJob(state, status, "IMPORT.CSV", ImportMode::Merge).run();
    const std::string log = test::readFile("BORVELIN.LOG");

    for (std::size_t index = 0; index < list.size(); ++index) {
        const Station& station = list[index];
        ASSERT_EQ(answers[index].hits.size(), 1u) << station.line;
        const LookupHit& hit = answers[index].hits[0];
        const bool wellFormed = callshape::isWellFormedCall(hit.manager);
        const StationRoutes* routes = book.find(station.call).routes;
        ASSERT_NE(routes, nullptr) << station.line;
        EXPECT_EQ(routes->manager(), givesManager(hit) && wellFormed ? capitals(hit.manager) : "") << station.line;
        EXPECT_EQ(routes->pirate, hit.route == RouteKind::Pirate) << station.line;
        const bool notRoute =
            hit.route == RouteKind::NotVia || hit.route == RouteKind::NotMore || hit.route == RouteKind::NotLonger;
        EXPECT_EQ(!routes->notRoutes.empty(), notRoute && wellFormed) << station.line;
        EXPECT_EQ(noCall.count(index + 1) != 0, hit.route == RouteKind::Manager && !wellFormed) << station.line;
        const bool sameManager = givesManager(hit) && equalInCapitals(hit.manager, rowManagers[index]);
        const std::string logged =
            "\r\n" + station.line + "\r\nFailure: " + capitals(station.call) + " has the manager";
        EXPECT_EQ(log.find(logged) == std::string::npos, sameManager) << station.line;
    }
}

} // namespace
} // namespace borvelin
