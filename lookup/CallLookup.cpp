// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/CallLookup.h"

#include "calls/CallHash.h"
#include "history/ImportRow.h"
#include "jobs/ConversionJob.h"
#include "jobs/StopRequest.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "lookup/AnswerText.h"
#include "text/Trimmed.h"

#include <algorithm>
#include <bit>
#include <span>

namespace borvelin {

namespace {

void joinAddress(const LineRoute& route, std::string& text)
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
        remarks.push_back("for " + std::string(withoutTrailingSpaces(entry.ForCall)));
    }
    if (!entry.HimselfViaCall.empty())
        remarks.push_back("himself via " + std::string(entry.HimselfViaCall));
}

} // namespace

CallLookup::CallLookup(const std::vector<std::string>& calls, Keeps keeps)
    : keeps_(keeps), found_(calls.size()), hitTexts_(keeps == Keeps::Text ? calls.size() : 0),
      homeOf_(calls.size(), CallTable<Home>::NotThere)
{
    answers_.reserve(calls.size());
    for (const std::string& call : calls)
        answers_.push_back(LookupAnswer{call, {}});
    for (std::size_t index = 0; index < calls.size(); ++index)
        addHome(callshape::homeCallOf(calls[index]), index);
    homes_.makeFilter(FilterBitsPerHome);
}

void CallLookup::addHome(std::string home, std::size_t answer)
{
    if (home.empty())
        return;
    shortestHome_ = homes_.size() == 0 ? home.size() : std::min(shortestHome_, home.size());
    longestHome_ = std::max(longestHome_, home.size());
    const std::uint64_t hash = callHash(home);
    homeOf_[answer] = homes_.placeOrAdd(hash, isHome(home), [&] { return Home{std::move(home), {}, {}}; });
    homes_.at(homeOf_[answer]).askedBy.push_back(answer);
}

void CallLookup::readList(LineSource& list)
{
    std::vector<std::string_view> lines(ConversionJob::LinesPerBatch);
    for (std::size_t count; (count = list.readLines(lines)) != 0;) {
        for (const std::string_view line : std::span(lines).first(count)) {
            stopIfRequested();
            ++linesRead_;
            const std::string_view lineHome = callshape::homeCallPartOf(firstWord(line));
            if (lineHome.size() < shortestHome_ || lineHome.size() > longestHome_)
                continue;
            const std::uint64_t hash = callHash(lineHome);
            if (!homes_.mayHold(hash))
                continue;
            if (const Home* home = homes_.find(hash, isHome(lineHome)))
                addHit(*home, line, linesRead_);
        }
    }
}

void CallLookup::readHistory(LineSource& history)
{
    std::vector<std::string_view> lines(ConversionJob::LinesPerBatch);
    for (std::size_t count; (count = history.readLines(lines)) != 0;) {
        for (const std::string_view line : std::span(lines).first(count)) {
            stopIfRequested();
            const std::string_view call = trimmed(line.substr(0, line.find(';')), Blanks::SpacesAndTabs);
            const std::string_view lineHome = callshape::homeCallPartOf(call);
            if (lineHome.size() < shortestHome_ || lineHome.size() > longestHome_)
                continue;
            const std::uint64_t hash = callHash(lineHome);
            if (homes_.mayHold(hash) && homes_.find(hash, isHome(lineHome)))
                takeHistoryLine(line);
        }
    }
    homes_.forEach([](Home& home) { std::stable_sort(home.history.begin(), home.history.end(), historyOrder); });
}

// A line that is no row the import would take is passed over.
void CallLookup::takeHistoryLine(std::string_view line)
{
    ImportRow row;
    if (readImportRow(line, row) != RowFault::None)
        return;
    const std::string home = callshape::homeCallOf(row.call);
    Home* asked = homes_.find(callHash(home), isHome(home));
    if (!asked)
        return;
    const std::string_view source = row.source.empty() ? std::string_view(historyfile::FileName) : row.source;
    asked->history.push_back(
        {ShortCall(row.call), ShortCall(row.manager), row.dateOrder, historySources_.numberOf(source)});
}

void CallLookup::appendHistoryText(std::string& text, std::size_t answer) const
{
    if (homeOf_[answer] != CallTable<Home>::NotThere)
        borvelin::appendHistoryText(text, homes_.at(homeOf_[answer]).history, historySources_);
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
    // Written once, where the first call that asked keeps it, and copied from there.
    std::string& first = hitTexts_[home.askedBy.front()];
    const std::size_t begin = first.size();
    appendHitText(first, hit_, line);
    for (std::size_t index = 1; index < home.askedBy.size(); ++index)
        hitTexts_[home.askedBy[index]].append(first, begin);
}

void CallLookup::readHit(std::string_view line, std::uint64_t lineNumber)
{
    const LineRoute route = routes_.read(line);
    hit_.lineNumber = lineNumber;
    if (keeps_ == Keeps::Hits)
        hit_.line.assign(line); // the text is written from the line where it stands
    hit_.route = route.kind;
    hit_.manager.assign(route.call);
    joinAddress(route, hit_.address);
    readRemarks(routes_.entry(), hit_.remarks);
}

bool CallLookup::allFound() const
{
    return std::all_of(found_.begin(), found_.end(), [](bool found) { return found; });
}

void CallLookup::appendAnswerText(std::string& text, std::size_t answer) const
{
    appendAnswerHead(text, answers_[answer].call, found_[answer]);
    if (keeps_ == Keeps::Text)
        text.append(hitTexts_[answer]);
    else
        for (const LookupHit& hit : answers_[answer].hits)
            appendHitText(text, hit);
    appendHistoryText(text, answer);
}

std::string_view CallLookup::hitsText(std::size_t answer) const
{
    return hitTexts_[answer];
}

std::vector<LookupAnswer> lookUpCalls(const std::vector<std::string>& calls, JobFiles& files)
{
    CallLookup lookup(calls);
    const auto list = files.openInput("QSL.TXT");
    lookup.readList(*list);
    return lookup.answers();
}

std::string lookUpText(const std::vector<std::string>& calls, LineSource& list, LineSource* history)
{
    CallLookup lookup(calls, CallLookup::Keeps::Text);
    if (history)
        lookup.readHistory(*history);
    lookup.readList(list);
    std::string text;
    for (std::size_t answer = 0; answer < lookup.answers().size(); ++answer)
        lookup.appendAnswerText(text, answer);
    return text;
}

} // namespace borvelin
