// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/LineChecks.h"

#include "calls/CallHash.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace borvelin {

namespace {

Finding& add(std::vector<Finding>& findings, FindingCode code, std::string_view call)
{
    Finding& finding = findings.emplace_back();
    finding.severity = kindOf(code).severity;
    finding.code = code;
    finding.call = call;
    return finding;
}

constexpr std::size_t LongestRouteKeyword = [] {
    std::size_t longest = 0;
    for (const layout::Keyword keyword : layout::RouteKeywords)
        longest = std::max(longest, layout::textOf(keyword).size());
    return longest;
}();

// What a byte is to the call shape: a digit, a letter, the "/" of a portable part, a
// tab, a control byte or a byte over 127 (foreign), or any other.
constexpr unsigned Digit = 1;
constexpr unsigned Letter = 2;
constexpr unsigned Slash = 4;
constexpr unsigned Other = 8;
constexpr unsigned Foreign = 16;
constexpr std::array<std::uint8_t, 256> CallByteKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (std::size_t byte = 0; byte < kinds.size(); ++byte)
        kinds[byte] = byte < 32 || byte >= 127 ? Foreign : Other;
    for (std::size_t byte = '0'; byte <= '9'; ++byte)
        kinds[byte] = Digit;
    for (std::size_t byte = 'A'; byte <= 'Z'; ++byte)
        kinds[byte] = kinds[byte - 'A' + 'a'] = Letter;
    kinds['/'] = Slash;
    return kinds;
}();

// The kinds of the bytes of `call`, together: one pass serves both of its tests.
unsigned kindsIn(std::string_view call)
{
    unsigned kinds = 0;
    for (const char byte : call)
        kinds |= CallByteKinds[static_cast<unsigned char>(byte)];
    return kinds;
}

// The call shape's test, in one pass for a call without portable parts, as most are.
bool isWellFormed(std::string_view call, unsigned kinds)
{
    if ((kinds & (Other | Foreign)) != 0)
        return false;
    if ((kinds & Slash) != 0 || call.size() > callshape::LongestCall)
        return callshape::isWellFormedCall(call);
    return kinds == (Digit | Letter);
}

// A named call that is not shaped like a call: C12 when a byte in it is foreign, C3
// otherwise, an error where it is the manager, whose card would go astray.
void checkCall(std::vector<Finding>& findings, std::string_view station, std::string_view keyword,
               std::string_view call)
{
    const unsigned kinds = kindsIn(call);
    const Severity severity = keyword == layout::textOf(layout::Keyword::QslVia) ? Severity::Error : Severity::Warning;
    if (call.empty()) {
        Finding& finding = add(findings, FindingCode::NamedNoCall, station);
        finding.severity = severity;
        finding.variant = 1;
        finding.keyword = keyword;
    } else if ((kinds & Foreign) != 0) {
        Finding& finding = add(findings, FindingCode::ForeignByte, station);
        finding.variant = 1;
        finding.keyword = keyword;
    } else if (!isWellFormed(call, kinds)) {
        Finding& finding = add(findings, FindingCode::NamedNoCall, station);
        finding.severity = severity;
        finding.keyword = keyword;
        finding.named = call;
    }
}

} // namespace

bool isWellFormed(std::string_view call)
{
    return isWellFormed(call, kindsIn(call));
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
    const unsigned kinds = kindsIn(facts.firstWord);
    if ((kinds & Foreign) != 0)
        add(findings, FindingCode::ForeignByte, facts.firstWord);
    else if (!isWellFormed(facts.firstWord, kinds))
        add(findings, FindingCode::StationNoCall, facts.firstWord);
}

void LineChecks::checkNamedCalls(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings)
{
    const std::string_view station = facts.firstWord;
    switch (facts.route.kind) {
    case RouteKind::Manager:
        checkCall(findings, station, layout::textOf(layout::Keyword::QslVia), facts.route.call);
        break;
    case RouteKind::NotVia:
    case RouteKind::NotMore:
    case RouteKind::NotLonger:
        checkCall(findings, station, layout::textOf(keywordOf(facts.route.kind)), facts.route.call);
        break;
    default: break;
    }
    // Remarks name their calls only when the grammar found one.
    if (!entry.ExMgrCall.empty())
        checkCall(findings, station, layout::textOf(layout::Keyword::ExManager), entry.ExMgrCall);
    if (!entry.SeeAlsoCall.empty())
        checkCall(findings, station, layout::textOf(layout::Keyword::SeeAlso), entry.SeeAlsoCall);
    if (!entry.HimselfViaCall.empty())
        checkCall(findings, station, layout::textOf(layout::Keyword::HimselfVia), entry.HimselfViaCall);
}

void LineChecks::checkOwnManager(const LineFacts& facts, std::vector<Finding>& findings)
{
    if (facts.station && facts.route.kind == RouteKind::Manager && equalInCapitals(facts.route.call, facts.firstWord))
        add(findings, FindingCode::OwnManager, facts.firstWord);
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
        Finding& finding = add(findings, FindingCode::KeywordOutOfColumn, facts.firstWord);
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
        add(findings, FindingCode::BureauWithoutAddress, facts.firstWord);
}

void LineChecks::checkShortLine(std::string_view line, std::vector<Finding>& findings)
{
    const std::string_view name = firstWord(line);
    // The grammar's bureau test, on a line too short to hold a route.
    const bool digit = std::any_of(line.begin(), line.end(), [](char byte) { return byte >= '0' && byte <= '9'; });
    if (name.empty() || (name.size() > layout::BureauPrefixLength && digit))
        return;
    add(findings, FindingCode::BureauWithoutAddress, name);
}

} // namespace borvelin
