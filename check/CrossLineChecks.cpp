// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CrossLineChecks.h"

#include "listline/CallShape.h"
#include "lookup/CallHash.h"

#include <algorithm>

namespace borvelin {

namespace {

Finding& add(std::vector<Finding>& findings, Severity severity, std::uint8_t code, std::string_view call,
             std::uint32_t lineNumber)
{
    Finding& finding = findings.emplace_back();
    finding.severity = severity;
    finding.code = code;
    finding.call = call;
    finding.number = lineNumber;
    return finding;
}

bool givesRoute(const LineFacts& facts)
{
    return facts.station && facts.routeId != 0;
}

bool namesOtherManager(const LineFacts& facts)
{
    return facts.station && facts.route.kind == RouteKind::Manager && !facts.route.call.empty() &&
           !equalInCapitals(facts.route.call, facts.firstWord);
}

std::string_view stopWord(RouteKind kind)
{
    switch (kind) {
    case RouteKind::Pirate: return "PIRATE";
    case RouteKind::NotMore: return "NOT MORE";
    default: return "NOT LONGER";
    }
}

} // namespace

void CrossLineChecks::survey(const LineFacts& facts, std::uint32_t lineNumber)
{
    // Each record is done with before the next is made, which may move it.
    if (callshape::isWellFormedCall(facts.seeAlso))
        index_.recordOf(CallIndex::keyOf(callshape::homeCallPartOf(facts.seeAlso))).namedAfterSeeAlso = true;
    if (facts.firstWord.empty())
        return;
    if (namesOtherManager(facts))
        index_.recordOf(facts.managerKey).namedAsManager = true;
    const std::uint64_t key = facts.key;
    // Without a "/" a call is its own home call.
    const bool portable = facts.firstWord.find('/') != std::string_view::npos;
    const std::uint64_t homeKey = portable ? CallIndex::keyOf(callshape::homeCallPartOf(facts.firstWord)) : key;
    if (facts.station && homeKey != key)
        index_.recordOf(homeKey).homeNamed = true;
    CallRecord& record = index_.recordOf(key);
    record.ownLines = static_cast<std::uint8_t>(std::min(record.ownLines + 1, 2));
    surveyLine(record, facts, lineNumber);
    if (!facts.station)
        return;
    surveyRoute(record, facts, lineNumber);
    if (homeKey == key)
        record.homeNamed = true;
}

void CrossLineChecks::finishSurvey()
{
    index_.keepOnly([](const CallRecord& record) { return record.neededWhenChecking(); });
}

void CrossLineChecks::surveyLine(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber)
{
    if (record.firstLine == 0) {
        record.firstLineId = facts.lineId;
        record.firstLine = lineNumber;
    }
}

void CrossLineChecks::surveyRoute(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber)
{
    if (facts.routeId != 0) {
        if (record.firstRouteLine == 0) {
            record.firstRoute = facts.routeId;
            record.firstRouteLine = lineNumber;
        } else if (record.otherRouteLine == 0 && facts.routeId != record.firstRoute) {
            record.otherRoute = facts.routeId;
            record.otherRouteLine = lineNumber;
        }
    }
    const RouteKind kind = facts.route.kind;
    if (kind == RouteKind::NotVia && record.notViaLine == 0 && !facts.route.call.empty()) {
        record.notVia = managerRouteId(facts.route.call);
        record.notViaLine = lineNumber;
    }
    if ((kind == RouteKind::Pirate || kind == RouteKind::NotMore || kind == RouteKind::NotLonger) &&
        record.stopLine == 0) {
        record.stopLine = lineNumber;
        record.stopKind = kind;
    }
    if (namesOtherManager(facts) && record.chainLine == 0)
        record.chainLine = lineNumber;
}

void CrossLineChecks::check(const ListEntry& entry, const LineFacts& facts, std::uint32_t lineNumber,
                            std::vector<Finding>& findings)
{
    if (facts.firstWord.empty())
        return;
    // A call with one line of its own has no record left to compare with.
    if (CallRecord* record = index_.find(facts.key); record != nullptr && record->ownLines > 1) {
        checkRoutes(*record, facts, findings);
        checkRepeat(*record, facts, lineNumber, findings);
        checkNotVia(*record, facts, findings);
    }
    checkManager(facts, findings);
    checkSeeAlso(entry, facts, findings);
}

// C4: every line of a station whose lines give different routes.
void CrossLineChecks::checkRoutes(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!givesRoute(facts) || record.otherRouteLine == 0)
        return;
    const std::uint32_t other = facts.routeId == record.firstRoute ? record.otherRouteLine : record.firstRouteLine;
    add(findings, Severity::Warning, 4, facts.firstWord, other);
}

// C5: a line that repeats its call's first line, or the call's line before it.
void CrossLineChecks::checkRepeat(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber,
                                  std::vector<Finding>& findings)
{
    std::uint32_t earlier = 0;
    if (record.firstLineId == facts.lineId && record.firstLine < lineNumber) {
        earlier = record.firstLine;
    } else if (record.latestLine != 0 && record.latestLineId == facts.lineId) {
        earlier = record.latestLine;
    }
    if (record.firstLineId != facts.lineId) {
        record.latestLineId = facts.lineId;
        record.latestLine = lineNumber;
    }
    if (earlier != 0)
        add(findings, Severity::Note, 5, facts.firstWord, earlier);
}

// C6: "QSL via X" on one line of a station and "NOT via X" on another, named on both.
void CrossLineChecks::checkNotVia(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!facts.station)
        return;
    if (facts.route.kind == RouteKind::NotVia && !facts.route.call.empty()) {
        const std::uint32_t forbidden = managerRouteId(facts.route.call);
        std::uint32_t line = 0;
        if (forbidden == record.firstRoute)
            line = record.firstRouteLine;
        else if (forbidden == record.otherRoute)
            line = record.otherRouteLine;
        if (line != 0)
            add(findings, Severity::Warning, 6, facts.firstWord, line).named = facts.route.call;
    } else if (givesRoute(facts) && record.notViaLine != 0 && facts.routeId == record.notVia) {
        Finding& finding = add(findings, Severity::Warning, 6, facts.firstWord, record.notViaLine);
        finding.variant = 1;
        finding.named = facts.route.call;
    }
}

// C7 and C9: what the manager's own lines say.
void CrossLineChecks::checkManager(const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!namesOtherManager(facts))
        return;
    const CallRecord* manager = index_.find(facts.managerKey);
    if (manager == nullptr || !manager->namedAsManager)
        return;
    if (manager->stopLine != 0) {
        Finding& finding = add(findings, Severity::Warning, 7, facts.firstWord, manager->stopLine);
        finding.named = facts.route.call;
        finding.keyword = stopWord(manager->stopKind);
    }
    if (manager->chainLine != 0)
        add(findings, Severity::Note, 9, facts.firstWord, manager->chainLine).named = facts.route.call;
}

// C10: a "see also" call without a line of its own (its portable forms count). One
// that is no call at all is C3's.
void CrossLineChecks::checkSeeAlso(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!callshape::isWellFormedCall(entry.SeeAlsoCall))
        return;
    const CallRecord* seen = index_.find(CallIndex::keyOf(callshape::homeCallPartOf(entry.SeeAlsoCall)));
    if (seen == nullptr || !seen->homeNamed)
        add(findings, Severity::Note, 10, facts.firstWord, 0).named = entry.SeeAlsoCall;
}

} // namespace borvelin
