// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/RouteBook.h"

#include "calls/CallHash.h"
#include "history/ImportRow.h"
#include "listline/CallShape.h"
#include "listline/TextSearch.h"
#include "text/Capitals.h"
#include "text/Trimmed.h"

#include <algorithm>
#include <array>

namespace borvelin {

namespace {

// The parts of a direct address, joined as lookup shows them.
std::string joinedAddress(const LineRoute& route)
{
    std::string address;
    for (std::size_t index = 0; index < route.addressPartCount; ++index) {
        if (index > 0)
            address += ", ";
        address += route.addressParts[index];
    }
    return address;
}

// Longer first words are no calls; they are passed over without a look-up.
constexpr std::size_t LongestFirstWord = 32;

// A log's call as its field holds it, without the blanks (tabs too) around it.
std::string_view trimmedCall(std::string_view call)
{
    return trimmed(call, Blanks::SpacesAndTabs);
}

// The call of a history line, without the blanks around it: the text before its first
// ";", looked for without a call as the call comes first; and whether it holds a "/".
// Empty when no ";" is near the start, where a call and its blanks would end.
std::string_view firstHistoryField(std::string_view line, bool& portable)
{
    constexpr std::size_t Farthest = 64;
    const std::size_t end = std::min(line.size(), Farthest);
    portable = false;
    for (std::size_t at = 0; at < end; ++at) {
        if (line[at] == ';')
            return trimmed(line.substr(0, at), Blanks::SpacesAndTabs);
        portable = portable || line[at] == '/';
    }
    return {};
}

// The forms of a QSO's call its lines are looked for under, in turn, in capitals: the
// call, the call without a suffix behind its home call, the home call.
struct CallForms {
    std::string call;
    std::string withoutSuffix;
    std::string home;
};

CallForms formsOf(std::string_view trimmed)
{
    CallForms forms{capitals(trimmed), {}, callshape::homeCallOf(trimmed)};
    const std::size_t lastSlash = forms.call.rfind('/');
    const bool endsInSuffix = lastSlash != std::string::npos && forms.call.substr(lastSlash + 1) != forms.home;
    forms.withoutSuffix = endsInSuffix ? forms.call.substr(0, lastSlash) : forms.call;
    return forms;
}

} // namespace

void RouteBook::noteCall(std::string_view qsoCall)
{
    const std::string_view call = trimmedCall(qsoCall);
    if (call.empty())
        return;
    std::string home = callshape::homeCallOf(call);
    homes_.findOrAdd(callHash(home), isHome(home), [&] { return NotedHome{home, {}, {}}; });
}

void RouteBook::beginList()
{
    homes_.makeFilter(FilterBitsPerHome);
}

// Most lines are passed over on the filter alone. The others wait in a short ring while
// their slots and records are fetched, so that the look-ups of several lines wait for
// memory at once instead of one after the other.
void RouteBook::takeListLines(std::span<const std::string_view> lines)
{
    if (homes_.size() == 0)
        return;
    const std::string_view pirate = layout::textOf(layout::Keyword::Pirate);
    char call[LongestFirstWord];
    for (const std::string_view line : lines) {
        const std::string_view word = firstWord(line);
        if (word.empty() || word.size() > LongestFirstWord)
            continue;
        if (standsAt(line, pirate, layout::RouteColumn))
            notePirate(word);
        bool portable = false;
        for (std::size_t index = 0; index < word.size(); ++index) {
            const char byte = word[index];
            call[index] = inCapitals(byte);
            portable = portable || byte == '/';
        }
        const std::string_view capitalCall(call, word.size());
        // Without a "/" the call is its own home call.
        if (portable)
            portable_ = callshape::homeCallOf(capitalCall);
        const std::string_view home = portable ? std::string_view(portable_) : capitalCall;
        const std::uint64_t hash = callHash(home);
        if (!homes_.mayHold(hash))
            continue;
        next_.call.assign(capitalCall);
        next_.home.assign(home);
        next_.hash = hash;
        next_.line.assign(line);
        waiting_.add(next_, *this);
    }
}

void RouteBook::endList()
{
    waiting_.takeAll(*this);
}

void RouteBook::notePirate(std::string_view word)
{
    std::string call = capitals(word);
    const std::uint64_t hash = callHash(call);
    pirates_.findOrAdd(hash, isPirateCall(call), [&] { return Pirate{std::move(call)}; });
}

bool RouteBook::isPirate(std::string_view call) const
{
    return pirates_.find(callHash(call), isPirateCall(call)) != nullptr;
}

void RouteBook::take(const Candidate& candidate)
{
    if (NotedHome* home = homes_.find(candidate.hash, isHome(candidate.home)))
        takeLine(home->listed, candidate.call, candidate.line);
}

void RouteBook::takeLine(std::vector<ListedCall>& calls, std::string_view call, std::string_view line)
{
    const auto listed =
        std::find_if(calls.begin(), calls.end(), [&](const ListedCall& known) { return known.call == call; });
    takeLine(listed != calls.end() ? listed->routes : calls.emplace_back(ListedCall{std::string(call), {}}).routes,
             line);
}

// A route to a call that is no call gives the station no manager: it is never written
// into a log.
void RouteBook::takeLine(StationRoutes& station, std::string_view line)
{
    const LineRoute route = routes_.read(line);
    station.listed = true;
    switch (route.kind) {
    case RouteKind::Manager:
    case RouteKind::HomeCall: takeManager(station, route); break;
    case RouteKind::Pirate: station.pirate = true; break;
    case RouteKind::NotVia:
    case RouteKind::NotMore:
    case RouteKind::NotLonger:
        if (route.namesWellFormedCall())
            station.notRoutes.emplace_back(keywordOf(route.kind), capitals(route.call));
        break;
    case RouteKind::Direct:
        if (station.address.empty())
            station.address = joinedAddress(route);
        break;
    default: break;
    }
}

void RouteBook::takeManager(StationRoutes& station, const LineRoute& route)
{
    if (!route.namesWellFormedCall()) {
        if (station.malformedManager.empty())
            station.malformedManager = route.call.empty() ? std::string("(none)") : std::string(route.call);
        return;
    }
    std::string manager = capitals(route.call);
    if (std::find(station.managers.begin(), station.managers.end(), manager) != station.managers.end())
        return;
    if (station.managers.size() == StationRoutes::ManagersKept)
        station.moreManagers = true;
    else
        station.managers.push_back(std::move(manager));
}

ListedRoutes RouteBook::find(std::string_view qsoCall) const
{
    const std::string_view trimmed = trimmedCall(qsoCall);
    if (trimmed.empty())
        return {};
    const CallForms forms = formsOf(trimmed);
    const NotedHome* noted = homes_.find(callHash(forms.home), isHome(forms.home));
    if (noted == nullptr || noted->listed.empty())
        return {};
    const std::vector<ListedCall>& listed = noted->listed;
    for (const std::string* wanted : {&forms.call, &forms.withoutSuffix, &forms.home})
        for (const ListedCall& candidate : listed)
            if (candidate.call == *wanted)
                return {&candidate.routes, candidate.call == forms.call, candidate.call};
    return {&listed.front().routes, listed.front().call == forms.call, listed.front().call};
}

static_assert(RouteBook::NotNoted == CallTable<int>::NotThere);

// Most lines are of calls the log never worked, passed over on the filter alone; a
// line that is no row the import would take is passed over as well.
void RouteBook::readHistoryLines(std::span<const std::string_view> lines, std::span<HistoryLine> read) const
{
    // The lines of a call follow one another, as import writes them: a line with the
    // call of the line before has its home.
    std::string_view previousField;
    std::uint32_t previousHome = NotNoted;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        HistoryLine& line = read[index];
        line.home = NotNoted;
        bool portable = false;
        const std::string_view field = firstHistoryField(lines[index], portable);
        if (homes_.size() == 0 || field.empty() || field.size() > ShortCall::MostBytes)
            continue;
        if (field != previousField) {
            previousField = field;
            previousHome = homeOfHistoryField(field, portable);
        }
        line.home = previousHome;
        if (line.home != NotNoted && readImportRow(lines[index], line.row) != RowFault::None)
            line.home = NotNoted;
    }
}

std::uint32_t RouteBook::homeOfHistoryField(std::string_view field, bool portable) const
{
    const std::string_view home = portable ? callshape::homeCallPartOf(field) : field;
    const std::uint64_t hash = callHash(home);
    if (!homes_.mayHold(hash))
        return NotNoted;
    return homes_.placeOf(hash, [home](const NotedHome& noted) { return equalInCapitals(noted.call, home); });
}

// Most homes have a few lines, in order, as import writes them: room for four at once,
// and the homes whose lines come out of order sorted at the end.
void RouteBook::takeHistoryLines(std::span<const HistoryLine> read)
{
    constexpr std::size_t FirstRoom = 4;
    for (const HistoryLine& line : read) {
        if (line.home == NotNoted)
            continue;
        std::vector<HistoryEntry>& history = homes_.at(line.home).history;
        if (history.empty())
            history.reserve(FirstRoom);
        const std::string_view source =
            line.row.source.empty() ? std::string_view(historyfile::FileName) : line.row.source;
        history.push_back({ShortCall(line.row.call), ShortCall(line.row.manager), line.row.dateOrder,
                           historySources_.numberOf(source)});
        if (history.size() > 1 && historyOrder(history.back(), history[history.size() - 2]))
            historyToSort_.push_back(line.home);
    }
}

// A history written by import is in order already; one mended by hand may not be.
void RouteBook::endHistory()
{
    std::sort(historyToSort_.begin(), historyToSort_.end());
    historyToSort_.erase(std::unique(historyToSort_.begin(), historyToSort_.end()), historyToSort_.end());
    for (const std::uint32_t home : historyToSort_) {
        std::vector<HistoryEntry>& history = homes_.at(home).history;
        std::stable_sort(history.begin(), history.end(), historyOrder);
    }
    historyToSort_.clear();
}

HistoryOfCall RouteBook::findHistory(std::string_view qsoCall, bool exactOnly) const
{
    const std::string_view trimmed = trimmedCall(qsoCall);
    if (trimmed.empty())
        return {};
    const std::string_view home = callshape::homeCallPartOf(trimmed);
    const NotedHome* noted =
        homes_.find(callHash(home), [home](const NotedHome& known) { return equalInCapitals(known.call, home); });
    if (noted == nullptr || noted->history.empty())
        return {};
    // The forms of the call as formsOf gives them, without a copy of each.
    const std::size_t lastSlash = trimmed.rfind('/');
    const bool endsInSuffix =
        lastSlash != std::string_view::npos && !equalInCapitals(trimmed.substr(lastSlash + 1), home);
    const std::array<std::string_view, 3> forms = {trimmed, endsInSuffix ? trimmed.substr(0, lastSlash) : trimmed,
                                                   home};
    const std::span<const HistoryEntry> history = noted->history;
    for (std::size_t form = 0; form < (exactOnly ? 1 : forms.size()); ++form) {
        if (forms[form].size() > ShortCall::MostBytes)
            continue;
        const ShortCall call(forms[form]);
        const auto first = std::find_if(history.begin(), history.end(),
                                        [&call](const HistoryEntry& line) { return line.call == call; });
        if (first == history.end())
            continue;
        const auto end =
            std::find_if(first, history.end(), [&call](const HistoryEntry& line) { return !(line.call == call); });
        return {std::span(first, end), form == 0, first->call.view()};
    }
    return {};
}

} // namespace borvelin
