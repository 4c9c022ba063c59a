// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/CallLookup.h"

#include "calls/CallHash.h"
#include "history/ImportRow.h"
#include "jobs/ConversionJob.h"
#include "jobs/StopRequest.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "listline/TextSearch.h"
#include "lookup/AnswerText.h"
#include "text/Capitals.h"
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
    : keeps_(keeps), found_(calls.size()), homeOfAnswer_(calls.size(), NoHome)
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
    const std::size_t homes = homes_.size();
    const std::uint32_t place = homes_.placeOrAdd(hash, isHome(home), [&] {
        return Home{std::move(home), {}, {}, {}, {}};
    });
    homes_.at(place).askedBy.push_back(answer);
    homeOfAnswer_[answer] = place;
    if (homes_.size() != homes && keeps_ == Keeps::Text)
        hitTexts_.addHome();
}

void CallLookup::readList(LineSource& list)
{
    std::vector<std::string_view> lines(ConversionJob::LinesPerBatch);
    for (std::size_t count; (count = list.readLines(lines)) != 0;) {
        for (const std::string_view line : std::span(lines).first(count)) {
            stopIfRequested();
            ++linesRead_;
            notePirate(line, linesRead_);
            const std::string_view lineHome = callshape::homeCallPartOf(firstWord(line));
            if (lineHome.size() < shortestHome_ || lineHome.size() > longestHome_)
                continue;
            const std::uint64_t hash = callHash(lineHome);
            if (!homes_.mayHold(hash))
                continue;
            if (const std::uint32_t home = homes_.placeOf(hash, isHome(lineHome)); home != CallTable<Home>::NotThere)
                addHit(home, line, linesRead_);
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
    const std::size_t home = homeOfAnswer_[answer];
    if (home != NoHome)
        borvelin::appendHistoryText(text, homes_.at(static_cast<std::uint32_t>(home)).history, historySources_);
}

// The hit goes to every call that asked for its home call: as it is, or as its text.
void CallLookup::addHit(std::uint32_t place, std::string_view line, std::uint64_t lineNumber)
{
    Home& home = homes_.at(place);
    noteRoute(home, readHit(line, lineNumber), lineNumber);
    for (const std::size_t answer : home.askedBy)
        found_[answer] = true;
    if (keeps_ == Keeps::Hits) {
        for (const std::size_t answer : home.askedBy)
            answers_[answer].hits.push_back(hit_);
        return;
    }
    hitText_.clear();
    appendHitText(hitText_, hit_, line);
    hitTexts_.append(place, hitText_);
}

LineRoute CallLookup::readHit(std::string_view line, std::uint64_t lineNumber)
{
    const LineRoute route = routes_.read(line);
    hit_.lineNumber = lineNumber;
    if (keeps_ == Keeps::Hits)
        hit_.line.assign(line); // the text is written from the line where it stands
    hit_.route = route.kind;
    hit_.manager.assign(route.call);
    joinAddress(route, hit_.address);
    readRemarks(routes_.entry(), hit_.remarks);
    return route;
}

void CallLookup::noteRoute(Home& home, const LineRoute& route, std::uint64_t lineNumber)
{
    if (!route.namesWellFormedCall())
        return;
    switch (route.kind) {
    case RouteKind::Manager: home.managers.push_back({capitals(route.call), lineNumber, route.kind}); break;
    case RouteKind::NotVia:
    case RouteKind::NotMore:
    case RouteKind::NotLonger: home.notRoutes.push_back({capitals(route.call), lineNumber, route.kind}); break;
    default: break;
    }
}

void CallLookup::notePirate(std::string_view line, std::uint64_t lineNumber)
{
    if (!standsAt(line, layout::textOf(layout::Keyword::Pirate), layout::RouteColumn))
        return;
    std::string call = capitals(firstWord(line));
    const std::uint64_t hash = callHash(call);
    pirates_.findOrAdd(
        hash, [&](const NamedCall& known) { return known.call == call; },
        [&] {
            return NamedCall{std::move(call), lineNumber, RouteKind::Pirate};
        });
}

void CallLookup::appendWarnings(std::string& text, std::size_t place) const
{
    const Home& home = homes_.at(static_cast<std::uint32_t>(place));
    for (std::size_t index = 0; index < home.managers.size(); ++index) {
        const NamedCall& manager = home.managers[index];
        const auto sameCall = [&](const NamedCall& other) { return other.call == manager.call; };
        if (std::find_if(home.managers.begin(), home.managers.begin() + static_cast<std::ptrdiff_t>(index), sameCall) !=
            home.managers.begin() + static_cast<std::ptrdiff_t>(index))
            continue; // warned of already
        if (const NamedCall* pirate = pirates_.find(callHash(manager.call), sameCall))
            text.append("  note: the list marks ")
                .append(manager.call)
                .append(" PIRATE on line ")
                .append(std::to_string(pirate->line))
                .append("\n");
        for (const NamedCall& notRoute : home.notRoutes)
            if (notRoute.call == manager.call)
                text.append("  note: line ")
                    .append(std::to_string(notRoute.line))
                    .append(" says ")
                    .append(layout::textOf(keywordOf(notRoute.route)))
                    .append(" ")
                    .append(manager.call)
                    .append("\n");
    }
}

bool CallLookup::allFound() const
{
    return std::all_of(found_.begin(), found_.end(), [](bool found) { return found; });
}

void CallLookup::appendAnswerText(std::string& text, std::size_t answer) const
{
    appendAnswerHead(text, answers_[answer].call, found_[answer]);
    const std::size_t home = homeOfAnswer_[answer];
    if (keeps_ == Keeps::Text) {
        if (home != NoHome)
            text.append(hitTexts_.textOf(home));
    } else {
        for (const LookupHit& hit : answers_[answer].hits)
            appendHitText(text, hit);
    }
    if (home != NoHome)
        appendWarnings(text, home);
    appendHistoryText(text, answer);
}

void CallLookup::writeHitsText(std::size_t answer, std::ostream& out) const
{
    const std::size_t home = homeOfAnswer_[answer];
    if (home == NoHome || keeps_ != Keeps::Text)
        return;
    hitTexts_.writeTo(home, out);
    std::string warnings;
    appendWarnings(warnings, home);
    out << warnings;
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
