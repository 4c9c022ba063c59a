// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CrossLineChecks.h"

#include "listline/CallShape.h"
#include "lookup/CallHash.h"

namespace borvelin {

namespace {

void add(std::vector<Finding>& findings, Severity severity, int code, std::string_view call, std::string message)
{
    findings.push_back(Finding{0, severity, code, std::string(call), std::move(message)});
}

std::string onLine(std::uint32_t lineNumber)
{
    return "line " + std::to_string(lineNumber);
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
    if (facts.firstWord.empty())
        return;
    const std::uint64_t key = CallIndex::keyOf(facts.firstWord);
    CallRecord& record = index_.recordOf(key);
    surveyLine(record, facts, lineNumber);
    if (!facts.station)
        return;
    surveyRoute(record, facts, lineNumber);
    // Last: making the home call's record may move this one.
    const std::uint64_t homeKey = CallIndex::keyOf(callshape::homeCallPartOf(facts.firstWord));
    if (homeKey == key)
        record.homeNamed = true;
    else
        index_.recordOf(homeKey).homeNamed = true;
}

void CrossLineChecks::surveyLine(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber)
{
    for (std::size_t slot = 0; slot < CallRecord::RememberedLines; ++slot) {
        if (record.lineIds[slot] == facts.lineId)
            return;
        if (record.lineIds[slot] == 0) {
            record.lineIds[slot] = facts.lineId;
            record.lineNumbers[slot] = lineNumber;
            return;
        }
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
    CallRecord* record = index_.find(CallIndex::keyOf(facts.firstWord));
    if (record == nullptr)
        return; // the list changed since it was surveyed
    checkRoutes(*record, facts, findings);
    checkRepeat(*record, facts, lineNumber, findings);
    checkNotVia(*record, facts, findings);
    checkManager(facts, findings);
    checkSeeAlso(entry, facts, findings);
}

// C4: every line of a station whose lines give different routes.
void CrossLineChecks::checkRoutes(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!givesRoute(facts) || record.otherRouteLine == 0)
        return;
    const std::uint32_t other = facts.routeId == record.firstRoute ? record.otherRouteLine : record.firstRouteLine;
    add(findings, Severity::Warning, 4, facts.firstWord, "the station is routed differently on " + onLine(other));
}

// C5: a line that repeats an earlier line of its call.
void CrossLineChecks::checkRepeat(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber,
                                  std::vector<Finding>& findings)
{
    std::uint32_t earlier = 0;
    for (std::size_t slot = 0; slot < CallRecord::RememberedLines; ++slot)
        if (record.lineIds[slot] == facts.lineId && record.lineNumbers[slot] < lineNumber)
            earlier = record.lineNumbers[slot];
    if (earlier == 0 && record.latestLineId == facts.lineId)
        earlier = record.latestLine;
    record.latestLineId = facts.lineId;
    record.latestLine = lineNumber;
    if (earlier != 0)
        add(findings, Severity::Note, 5, facts.firstWord, "the same line as " + onLine(earlier));
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
            add(findings, Severity::Warning, 6, facts.firstWord,
                "NOT via " + std::string(facts.route.call) + ", but QSL via it on " + onLine(line));
    } else if (givesRoute(facts) && record.notViaLine != 0 && facts.routeId == record.notVia) {
        add(findings, Severity::Warning, 6, facts.firstWord,
            "QSL via " + std::string(facts.route.call) + ", but NOT via it on " + onLine(record.notViaLine));
    }
}

// C7 and C9: what the manager's own lines say.
void CrossLineChecks::checkManager(const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!namesOtherManager(facts))
        return;
    const CallRecord* manager = index_.find(CallIndex::keyOf(facts.route.call));
    if (manager == nullptr)
        return;
    const std::string call(facts.route.call);
    if (manager->stopLine != 0)
        add(findings, Severity::Warning, 7, facts.firstWord,
            "the manager " + call + " is listed as " + std::string(stopWord(manager->stopKind)) + " on " +
                onLine(manager->stopLine));
    if (manager->chainLine != 0)
        add(findings, Severity::Note, 9, facts.firstWord,
            "the manager " + call + " has his own cards sent via another manager on " + onLine(manager->chainLine));
}

// C10: a "see also" call without a line of its own (its portable forms count). One
// that is no call at all is C3's.
void CrossLineChecks::checkSeeAlso(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!callshape::isWellFormedCall(entry.SeeAlsoCall))
        return;
    const CallRecord* seen = index_.find(CallIndex::keyOf(callshape::homeCallPartOf(entry.SeeAlsoCall)));
    if (seen == nullptr || !seen->homeNamed)
        add(findings, Severity::Note, 10, facts.firstWord,
            "see also " + entry.SeeAlsoCall + ": it has no line of its own");
}

} // namespace borvelin
