// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/CallLookup.h"

#include "jobs/ConversionJob.h"
#include "jobs/StopRequest.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "lookup/AnswerText.h"
#include "lookup/CallHash.h"

#include <algorithm>
#include <bit>
#include <span>

namespace borvelin {

namespace {

void joinAddress(const ParsedRoute& route, std::string& text)
{
    text.clear();
    std::size_t length = 0;
    for (std::size_t index = 0; index < route.addressPartCount; ++index)
        length += route.addressParts[index].size() + 2;
    text.reserve(length);
    for (std::size_t index = 0; index < route.addressPartCount; ++index) {
        if (index > 0)
            text += ", ";
        text += route.addressParts[index];
    }
}

void readRemarks(const ListEntry& entry, std::vector<std::string>& remarks)
{
    remarks.clear();
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
}

} // namespace

CallLookup::CallLookup(const std::vector<std::string>& calls, Keeps keeps)
    : keeps_(keeps), found_(calls.size()), homeOfAnswer_(calls.size(), NoHome)
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
            const std::uint64_t bit = quickHashOf(home) >> (64 - FilterBits);
            filter_[bit / 64] |= std::uint64_t{1} << (bit % 64);
            homes_.push_back(Home{std::move(home), {answer}});
            if (keeps_ == Keeps::Text)
                hitTexts_.addHome();
            slots_[slot] = static_cast<std::uint32_t>(homes_.size());
            homeOfAnswer_[answer] = homes_.size() - 1;
            return;
        }
        Home& known = homes_[slots_[slot] - 1];
        if (known.call == home) {
            known.askedBy.push_back(answer);
            homeOfAnswer_[answer] = slots_[slot] - 1;
            return;
        }
    }
}

const CallLookup::Home* CallLookup::homeOf(std::string_view lineHome, std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const Home& home = homes_[slots_[slot] - 1];
        if (equalInCapitals(home.call, lineHome))
            return &home;
    }
    return nullptr;
}

void CallLookup::readList(LineSource& list)
{
    std::vector<std::string_view> lines(ConversionJob::LinesPerBatch);
    for (std::size_t count; (count = list.readLines(lines)) != 0;) {
        for (const std::string_view line : std::span(lines).first(count)) {
            stopIfRequested();
            ++linesRead_;
            const std::string_view lineHome = callshape::homeCallPartOf(firstWord(line));
            if (!mayBeAsked(lineHome))
                continue;
            if (const Home* home = homeOf(lineHome, callHash(lineHome)))
                addHit(*home, line, linesRead_);
        }
    }
}

// The hit goes to every call that asked for its home call: as it is, or as its text.
void CallLookup::addHit(const Home& home, std::string_view line, std::uint64_t lineNumber)
{
    readHit(line, lineNumber);
    for (const std::size_t answer : home.askedBy)
        found_[answer] = true;
    if (keeps_ == Keeps::Hits) {
        for (const std::size_t answer : home.askedBy)
            answers_[answer].hits.push_back(hit_);
        return;
    }
    hitText_.clear();
    appendHitText(hitText_, hit_, line);
    hitTexts_.append(static_cast<std::size_t>(&home - homes_.data()), hitText_);
}

void CallLookup::readHit(std::string_view line, std::uint64_t lineNumber)
{
    const std::string_view parsedLine = parser_.parse(line, entry_);
    const ParsedRoute route = routes_.routeOf(parsedLine, entry_);
    hit_.lineNumber = lineNumber;
    if (keeps_ == Keeps::Hits)
        hit_.line.assign(line); // the text is written from the line where it stands
    hit_.route = route.kind;
    hit_.manager.assign(route.call);
    joinAddress(route, hit_.address);
    readRemarks(entry_, hit_.remarks);
}

bool CallLookup::allFound() const
{
    return std::all_of(found_.begin(), found_.end(), [](bool found) { return found; });
}

void CallLookup::appendAnswerText(std::string& text, std::size_t answer) const
{
    appendAnswerHead(text, answers_[answer].call, found_[answer]);
    if (keeps_ == Keeps::Text) {
        if (const std::size_t home = homeOfAnswer_[answer]; home != NoHome)
            text.append(hitTexts_.textOf(home));
        return;
    }
    for (const LookupHit& hit : answers_[answer].hits)
        appendHitText(text, hit);
}

void CallLookup::writeHitsText(std::size_t answer, std::ostream& out) const
{
    if (const std::size_t home = homeOfAnswer_[answer]; home != NoHome && keeps_ == Keeps::Text)
        hitTexts_.writeTo(home, out);
}

std::vector<LookupAnswer> lookUpCalls(const std::vector<std::string>& calls, JobFiles& files)
{
    CallLookup lookup(calls);
    const auto list = files.openInput("QSL.TXT");
    lookup.readList(*list);
    return lookup.answers();
}

std::string lookUpText(const std::vector<std::string>& calls, LineSource& list)
{
    CallLookup lookup(calls, CallLookup::Keeps::Text);
    lookup.readList(list);
    std::string text;
    for (std::size_t answer = 0; answer < lookup.answers().size(); ++answer)
        lookup.appendAnswerText(text, answer);
    return text;
}

} // namespace borvelin
