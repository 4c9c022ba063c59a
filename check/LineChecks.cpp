// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/LineChecks.h"

#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "lookup/CallHash.h"

#include <algorithm>

namespace borvelin {

namespace {

Finding& add(std::vector<Finding>& findings, Severity severity, std::uint8_t code, std::string_view call)
{
    Finding& finding = findings.emplace_back();
    finding.severity = severity;
    finding.code = code;
    finding.call = call;
    return finding;
}

// A named call that is not shaped like a call: C12 when a byte in it is foreign, C3
// otherwise.
void checkCall(std::vector<Finding>& findings, std::string_view station, std::string_view keyword,
               std::string_view call, Severity severity)
{
    if (call.empty()) {
        Finding& finding = add(findings, severity, 3, station);
        finding.variant = 1;
        finding.keyword = keyword;
    } else if (holdsForeignByte(call)) {
        Finding& finding = add(findings, Severity::Error, 12, station);
        finding.variant = 1;
        finding.keyword = keyword;
    } else if (!isWellFormed(call)) {
        Finding& finding = add(findings, severity, 3, station);
        finding.keyword = keyword;
        finding.named = call;
    }
}

constexpr std::size_t LongestRouteKeyword = [] {
    std::size_t longest = 0;
    for (const layout::Keyword keyword : layout::RouteKeywords)
        longest = std::max(longest, layout::textOf(keyword).size());
    return longest;
}();

std::string_view routeKeywordOf(RouteKind kind)
{
    switch (kind) {
    case RouteKind::NotVia: return layout::textOf(layout::Keyword::NotVia);
    case RouteKind::NotMore: return layout::textOf(layout::Keyword::NotMore);
    case RouteKind::NotLonger: return layout::textOf(layout::Keyword::NotLonger);
    default: return layout::textOf(layout::Keyword::QslVia);
    }
}

} // namespace

// The call shape's test, in one pass for a call without portable parts, as most are.
bool isWellFormed(std::string_view call)
{
    if (call.size() > callshape::LongestCall || call.find('/') != std::string_view::npos)
        return callshape::isWellFormedCall(call);
    bool letter = false;
    bool digit = false;
    for (const char byte : call) {
        const bool isDigit = byte >= '0' && byte <= '9';
        const bool isLetter = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        if (!isDigit && !isLetter)
            return false;
        letter = letter || isLetter;
        digit = digit || isDigit;
    }
    return letter && digit;
}

bool holdsForeignByte(std::string_view call)
{
    return std::any_of(call.begin(), call.end(), [](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        return value < 32 || value >= 127;
    });
}

void LineChecks::check(std::string_view line, const ListEntry& entry, const LineFacts& facts,
                       std::vector<Finding>& findings)
{
    checkStationCall(facts, findings);
    checkNamedCalls(entry, facts, findings);
    checkOwnManager(facts, findings);
    checkRouteColumn(line, facts, findings);
    checkBureauAddress(line, facts, findings);
}

void LineChecks::checkStationCall(const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!facts.station)
        return;
    if (holdsForeignByte(facts.firstWord))
        add(findings, Severity::Error, 12, facts.firstWord);
    else if (!isWellFormed(facts.firstWord))
        add(findings, Severity::Warning, 2, facts.firstWord);
}

void LineChecks::checkNamedCalls(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings)
{
    const std::string_view station = facts.firstWord;
    switch (facts.route.kind) {
    case RouteKind::Manager: checkCall(findings, station, "QSL via", facts.route.call, Severity::Error); break;
    case RouteKind::NotVia:
    case RouteKind::NotMore:
    case RouteKind::NotLonger:
        checkCall(findings, station, routeKeywordOf(facts.route.kind), facts.route.call, Severity::Warning);
        break;
    default: break;
    }
    // Remarks name their calls only when the grammar found one.
    if (!entry.ExMgrCall.empty())
        checkCall(findings, station, layout::textOf(layout::Keyword::ExManager), entry.ExMgrCall, Severity::Warning);
    if (!entry.SeeAlsoCall.empty())
        checkCall(findings, station, layout::textOf(layout::Keyword::SeeAlso), entry.SeeAlsoCall, Severity::Warning);
    if (!entry.HimselfViaCall.empty())
        checkCall(findings, station, layout::textOf(layout::Keyword::HimselfVia), entry.HimselfViaCall,
                  Severity::Warning);
}

void LineChecks::checkOwnManager(const LineFacts& facts, std::vector<Finding>& findings)
{
    if (facts.station && facts.route.kind == RouteKind::Manager && equalInCapitals(facts.route.call, facts.firstWord))
        add(findings, Severity::Note, 8, facts.firstWord);
}

// A route keyword that does not stand at the route column leaves the line without its
// route. Only lines the grammar gave no route at that column can hold one.
void LineChecks::checkRouteColumn(std::string_view line, const LineFacts& facts, std::vector<Finding>& findings)
{
    const RouteKind kind = facts.route.kind;
    if (kind != RouteKind::None && kind != RouteKind::Direct && kind != RouteKind::Bureau)
        return;
    // A direct address holds no route keyword from the route column on: only the call
    // area can hide one.
    if (kind == RouteKind::Direct)
        line = line.substr(0, layout::RouteColumn - 1 + LongestRouteKeyword);
    keywords_.scan(line, 2);
    std::size_t misplaced = 0;
    layout::Keyword which = layout::Keyword::QslVia;
    for (const layout::Keyword keyword : layout::RouteKeywords) {
        const std::size_t column = keywords_.column(keyword);
        const bool beginsWord = column >= 2 && line[column - 2] == ' ';
        const bool homeCall =
            keyword == layout::Keyword::QslVia && column == keywords_.column(layout::Keyword::HomeCall);
        if (!beginsWord || column == layout::RouteColumn || homeCall || (misplaced != 0 && column > misplaced))
            continue;
        misplaced = column;
        which = keyword;
    }
    if (misplaced != 0) {
        Finding& finding = add(findings, Severity::Error, 11, facts.firstWord);
        finding.keyword = layout::textOf(which);
        finding.number = static_cast<std::uint32_t>(misplaced);
    }
}

void LineChecks::checkBureauAddress(std::string_view line, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (facts.route.kind != RouteKind::Bureau || facts.firstWord.empty())
        return;
    const bool comma = line.size() >= layout::RouteColumn && line.find(',', layout::RouteColumn - 1) != line.npos;
    if (!comma)
        add(findings, Severity::Error, 13, facts.firstWord);
}

void LineChecks::checkShortLine(std::string_view line, std::vector<Finding>& findings)
{
    const std::string_view name = firstWord(line);
    // The grammar's bureau test, on a line too short to hold a route.
    const bool digit = std::any_of(line.begin(), line.end(), [](char byte) { return byte >= '0' && byte <= '9'; });
    if (name.empty() || (name.size() > layout::BureauPrefixLength && digit))
        return;
    add(findings, Severity::Error, 13, name);
}

} // namespace borvelin
