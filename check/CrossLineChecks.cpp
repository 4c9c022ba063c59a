// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/CrossLineChecks.h"

#include "calls/CallHash.h"
#include "jobs/JobError.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"

#include <algorithm>
#include <limits>

namespace borvelin {

namespace {

Finding& add(std::vector<Finding>& findings, FindingCode code, std::string_view call, std::uint32_t lineNumber)
{
    Finding& finding = findings.emplace_back();
    finding.severity = kindOf(code).severity;
    finding.code = code;
    finding.call = call;
    finding.number = lineNumber;
    return finding;
}

auto keyMatches(std::uint64_t key)
{
    return [key](const CallRecord& record) { return record.key == key; };
}

bool givesRoute(const LineFacts& facts)
{
    return facts.station && facts.routeId != 0;
}

} // namespace

std::uint32_t checkedLineNumber(std::uint64_t count)
{
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw JobError(ErrorNumber::Overflow, "Overflow");
    return static_cast<std::uint32_t>(count);
}

CallRecord& CrossLineChecks::recordOf(CallIndex& index, std::uint64_t key)
{
    return index.findOrAdd(key, keyMatches(key), [key] {
        CallRecord record;
        record.key = key;
        return record;
    });
}

CallRecord* CrossLineChecks::find(CallIndex& index, std::uint64_t key)
{
    return index.find(key, keyMatches(key));
}

const CallRecord* CrossLineChecks::find(const CallIndex& index, std::uint64_t key)
{
    return index.find(key, keyMatches(key));
}

void CrossLineChecks::survey(std::size_t shard, const SurveyFacts& facts, std::uint32_t lineNumber)
{
    CallIndex& index = shards_[shard];
    const auto ofShard = [shard](std::uint64_t key) { return key != 0 && shardOf(key) == shard; };
    if (ofShard(facts.seeAlsoKey))
        recordOf(index, facts.seeAlsoKey).namedAfterSeeAlso = true;
    if (facts.key == 0)
        return;
    if (ofShard(facts.managerKey))
        recordOf(index, facts.managerKey).namedAsManager = true;
    if (facts.station && facts.homeKey != facts.key && ofShard(facts.homeKey))
        recordOf(index, facts.homeKey).homeNamed = true;
    if (!ofShard(facts.key))
        return;
    CallRecord& record = recordOf(index, facts.key);
    record.ownLines = static_cast<std::uint8_t>(std::min(record.ownLines + 1, 2));
    if (record.firstLine == 0) {
        record.firstLineId = facts.lineId;
        record.firstLine = lineNumber;
    }
    if (!facts.station)
        return;
    surveyRoute(record, facts, lineNumber);
    if (facts.homeKey == facts.key)
        record.homeNamed = true;
}

void CrossLineChecks::prefetchSlots(std::size_t shard, const SurveyFacts& facts) const
{
    for (const std::uint64_t key : {facts.key, facts.managerKey, facts.homeKey})
        if (key != 0 && shardOf(key) == shard)
            shards_[shard].prefetchSlot(key);
}

void CrossLineChecks::prefetchRecords(std::size_t shard, const SurveyFacts& facts) const
{
    for (const std::uint64_t key : {facts.key, facts.managerKey, facts.homeKey})
        if (key != 0 && shardOf(key) == shard)
            shards_[shard].prefetchRecord(key);
}

std::uint64_t CrossLineChecks::keyOfLine(std::string_view line)
{
    const std::string_view call = firstWord(line);
    return call.empty() ? 0 : callKey(call);
}

void CrossLineChecks::prefetchSlot(std::uint64_t key) const
{
    if (key != 0)
        indexOf(key).prefetchSlot(key);
}

void CrossLineChecks::prefetchRecord(std::uint64_t key) const
{
    if (key != 0)
        indexOf(key).prefetchRecord(key);
}

void CrossLineChecks::prefetchManager(std::uint64_t managerKey) const
{
    if (managerKey != 0)
        managersToCheck_.prefetch(managerKey);
}

void CrossLineChecks::finishSurvey()
{
    for (CallIndex& index : shards_) {
        index.keepOnly([](const CallRecord& record) { return record.neededWhenChecking(); });
        index.makeFilter(RecordFilterBitsPerKey);
    }
    filterManagersToCheck();
}

// The managers whose own lines C7 or C9 name are few; most lines name another manager.
void CrossLineChecks::filterManagersToCheck()
{
    const auto toCheck = [](const CallRecord& record) {
        return record.namedAsManager && (record.stopLine != 0 || record.chainLine != 0);
    };
    std::size_t count = 0;
    for (const CallIndex& index : shards_)
        index.forEach([&](const CallRecord& record) { count += toCheck(record) ? 1 : 0; });
    managersToCheck_ = BitFilter(count, ManagerFilterBitsPerKey);
    for (const CallIndex& index : shards_)
        index.forEach([&](const CallRecord& record) {
            if (toCheck(record))
                managersToCheck_.add(record.key);
        });
}

void CrossLineChecks::surveyRoute(CallRecord& record, const SurveyFacts& facts, std::uint32_t lineNumber)
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
    const RouteKind kind = facts.kind;
    if (facts.notViaId != 0 && record.notViaLine == 0) {
        record.notVia = facts.notViaId;
        record.notViaLine = lineNumber;
    }
    if ((kind == RouteKind::Pirate || kind == RouteKind::NotMore || kind == RouteKind::NotLonger) &&
        record.stopLine == 0) {
        record.stopLine = lineNumber;
        record.stopKind = kind;
    }
    if (facts.managerKey != 0 && record.chainLine == 0)
        record.chainLine = lineNumber;
}

CallRecord* CrossLineChecks::check(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (facts.firstWord.empty())
        return nullptr;
    // A call with one line of its own has no record left to compare with.
    CallRecord* record = find(indexOf(facts.key), facts.key);
    if (record != nullptr && record->ownLines > 1) {
        checkRoutes(*record, facts, findings);
        checkNotVia(*record, facts, findings);
    } else {
        record = nullptr;
    }
    checkManager(facts, findings);
    checkSeeAlso(entry, facts, findings);
    return record;
}

// C4: every line of a station whose lines give different routes.
void CrossLineChecks::checkRoutes(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings)
{
    if (!givesRoute(facts) || record.otherRouteLine == 0)
        return;
    const std::uint32_t other = facts.routeId == record.firstRoute ? record.otherRouteLine : record.firstRouteLine;
    add(findings, FindingCode::RoutedDifferently, facts.firstWord, other);
}

// C5: a line that repeats its call's first line, or the call's line before it.
std::uint32_t CrossLineChecks::repeatedLine(CallRecord& record, std::uint32_t lineId, std::uint32_t lineNumber)
{
    std::uint32_t earlier = 0;
    if (record.firstLineId == lineId && record.firstLine < lineNumber) {
        earlier = record.firstLine;
    } else if (record.latestLine != 0 && record.latestLineId == lineId) {
        earlier = record.latestLine;
    }
    if (record.firstLineId != lineId) {
        record.latestLineId = lineId;
        record.latestLine = lineNumber;
    }
    return earlier;
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
            add(findings, FindingCode::ViaAndNotVia, facts.firstWord, line).named = facts.route.call;
    } else if (givesRoute(facts) && record.notViaLine != 0 && facts.routeId == record.notVia) {
        Finding& finding = add(findings, FindingCode::ViaAndNotVia, facts.firstWord, record.notViaLine);
        finding.variant = 1;
        finding.named = facts.route.call;
    }
}

// C7 and C9: what the manager's own lines say.
void CrossLineChecks::checkManager(const LineFacts& facts, std::vector<Finding>& findings) const
{
    if (!namesOtherManager(facts) || !managersToCheck_.mayHold(facts.managerKey))
        return;
    const CallRecord* manager = find(indexOf(facts.managerKey), facts.managerKey);
    if (manager == nullptr || !manager->namedAsManager)
        return;
    if (manager->stopLine != 0) {
        Finding& finding = add(findings, FindingCode::ManagerStopped, facts.firstWord, manager->stopLine);
        finding.named = facts.route.call;
        finding.keyword = layout::textOf(keywordOf(manager->stopKind));
    }
    if (manager->chainLine != 0)
        add(findings, FindingCode::ManagerViaAnother, facts.firstWord, manager->chainLine).named = facts.route.call;
}

// C10: a "see also" call without a line of its own (its portable forms count). One
// that is no call at all is C3's.
void CrossLineChecks::checkSeeAlso(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings) const
{
    if (!callshape::isWellFormedCall(entry.SeeAlsoCall))
        return;
    const std::uint64_t key = callKey(callshape::homeCallPartOf(entry.SeeAlsoCall));
    const CallRecord* seen = find(indexOf(key), key);
    if (seen == nullptr || !seen->homeNamed)
        add(findings, FindingCode::SeeAlsoWithoutLine, facts.firstWord, 0).named = entry.SeeAlsoCall;
}

} // namespace borvelin
