// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/CallLookup.h"

#include "jobs/StopRequest.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "lookup/CallHash.h"

#include <algorithm>
#include <bit>

namespace borvelin {

namespace {

std::string joined(const ParsedRoute& route)
{
    std::string text;
    for (std::size_t index = 0; index < route.addressPartCount; ++index) {
        if (index > 0)
            text += ", ";
        text += route.addressParts[index];
    }
    return text;
}

std::vector<std::string> remarksOf(const ListEntry& entry)
{
    std::vector<std::string> remarks;
    if (entry.NewMgrFlag)
        remarks.emplace_back("New Manager");
    if (entry.OnlyDirectFlag)
        remarks.emplace_back("only direct");
    if (!entry.ExMgrCall.empty())
        remarks.push_back("Ex-" + std::string(entry.ExMgrCall));
    if (!entry.SeeAlsoCall.empty())
        remarks.push_back("see also " + std::string(entry.SeeAlsoCall));
    if (!entry.ForCall.empty()) {
        const std::string_view forCall(entry.ForCall);
        remarks.push_back("for " + std::string(forCall.substr(0, forCall.find_last_not_of(' ') + 1)));
    }
    if (!entry.HimselfViaCall.empty())
        remarks.push_back("himself via " + std::string(entry.HimselfViaCall));
    return remarks;
}

} // namespace

CallLookup::CallLookup(const std::vector<std::string>& calls)
{
    answers_.reserve(calls.size());
    for (const std::string& call : calls)
        answers_.push_back(LookupAnswer{call, {}});
    slots_.assign(std::bit_ceil(2 * calls.size() + 2), 0);
    for (std::size_t index = 0; index < calls.size(); ++index)
        addHome(callshape::homeCallOf(calls[index]), index);
}

void CallLookup::addHome(std::string home, std::size_t answer)
{
    if (home.empty())
        return;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = callHash(home) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) {
            shortestHome_ = homes_.empty() ? home.size() : std::min(shortestHome_, home.size());
            longestHome_ = std::max(longestHome_, home.size());
            homes_.push_back(Home{std::move(home), {answer}});
            slots_[slot] = static_cast<std::uint32_t>(homes_.size());
            return;
        }
        Home& known = homes_[slots_[slot] - 1];
        if (known.call == home) {
            known.askedBy.push_back(answer);
            return;
        }
    }
}

const CallLookup::Home* CallLookup::homeOf(std::string_view lineHome) const
{
    if (lineHome.size() < shortestHome_ || lineHome.size() > longestHome_ || homes_.empty())
        return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = callHash(lineHome) & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const Home& home = homes_[slots_[slot] - 1];
        if (equalInCapitals(home.call, lineHome))
            return &home;
    }
    return nullptr;
}

void CallLookup::readList(LineSource& list)
{
    std::string line;
    while (list.readLine(line)) {
        stopIfRequested();
        ++linesRead_;
        if (const Home* home = homeOf(callshape::homeCallPartOf(firstWord(line))))
            addHit(*home, line, linesRead_);
    }
}

void CallLookup::addHit(const Home& home, const std::string& line, std::uint64_t lineNumber)
{
    entry_.reset();
    const std::string_view parsedLine = parser_.parse(line, entry_);
    const ParsedRoute route = routes_.routeOf(parsedLine, entry_);
    LookupHit hit;
    hit.lineNumber = lineNumber;
    hit.line = line;
    hit.route = route.kind;
    hit.manager = std::string(route.call);
    hit.address = joined(route);
    hit.remarks = remarksOf(entry_);
    for (std::size_t index = 0; index + 1 < home.askedBy.size(); ++index)
        answers_[home.askedBy[index]].hits.push_back(hit);
    answers_[home.askedBy.back()].hits.push_back(std::move(hit));
}

bool CallLookup::allFound() const
{
    return std::all_of(answers_.begin(), answers_.end(), [](const LookupAnswer& answer) { return answer.found(); });
}

std::vector<LookupAnswer> lookUpCalls(const std::vector<std::string>& calls, JobFiles& files)
{
    CallLookup lookup(calls);
    const auto list = files.openInput("QSL.TXT");
    lookup.readList(*list);
    return lookup.answers();
}

} // namespace borvelin
