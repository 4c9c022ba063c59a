// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/RouteBook.h"

#include "listline/CallShape.h"
#include "listline/LineRoute.h"

#include <algorithm>
#include <array>

namespace borvelin {

namespace {

// Longer first words are no calls; they are passed over without a look-up.
constexpr std::size_t LongestFirstWord = 32;

constexpr std::size_t FirstSlotCount = 1024;

// FNV-1a, spread by the golden ratio; the top 32 bits pick the slot.
std::uint32_t fingerprintOf(std::string_view call)
{
    std::uint64_t hash = 14695981039346656037u;
    for (const char byte : call) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211u;
    }
    return static_cast<std::uint32_t>((hash * 0x9E3779B97F4A7C15u) >> 32);
}

std::string_view trimmedCall(std::string_view call)
{
    const std::size_t first = call.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return call.substr(first, call.find_last_not_of(' ') - first + 1);
}

} // namespace

std::size_t RouteBook::slotOf(std::string_view homeCall, std::uint32_t fingerprint) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = fingerprint & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = slots_[slot];
        if (entry.home == 0 || (entry.fingerprint == fingerprint && homeCalls_[entry.home - 1] == homeCall))
            return slot;
    }
}

std::size_t RouteBook::indexOf(std::string_view homeCall) const
{
    return indexOf(homeCall, fingerprintOf(homeCall));
}

std::size_t RouteBook::indexOf(std::string_view homeCall, std::uint32_t fingerprint) const
{
    if (slots_.empty() || !mayBeNoted(fingerprint))
        return NotNoted;
    const Slot& entry = slots_[slotOf(homeCall, fingerprint)];
    return entry.home == 0 ? NotNoted : entry.home - 1;
}

void RouteBook::grow()
{
    std::vector<Slot> old(std::max(FirstSlotCount, slots_.size() * 2));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& entry : old) {
        std::size_t slot = entry.fingerprint & mask;
        while (entry.home != 0 && slots_[slot].home != 0)
            slot = (slot + 1) & mask;
        if (entry.home != 0)
            slots_[slot] = entry;
    }
}

void RouteBook::noteCall(std::string_view qsoCall)
{
    const std::string_view call = trimmedCall(qsoCall);
    if (call.empty())
        return;
    std::string home = callshape::homeCallOf(call);
    if ((homeCalls_.size() + 1) * 2 > slots_.size())
        grow();
    const std::uint32_t fingerprint = fingerprintOf(home);
    Slot& entry = slots_[slotOf(home, fingerprint)];
    if (entry.home != 0)
        return;
    const std::uint32_t bit = fingerprint >> (32 - HashBitsFiltered);
    noted_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    homeCalls_.push_back(std::move(home));
    listedCalls_.emplace_back();
    entry = {static_cast<std::uint32_t>(homeCalls_.size()), fingerprint};
}

// Most lines are passed over on the bit filter alone. The others wait in a short queue
// while their slots are fetched, so that the look-ups of several lines wait for memory
// at once instead of one after the other.
void RouteBook::readList(LineSource& list)
{
    struct Candidate {
        std::string line;
        std::string call; // the first word in capitals
        std::string home;
        std::uint32_t fingerprint = 0;
    };
    constexpr std::size_t Waiting = 8;
    std::array<Candidate, Waiting> waiting;
    std::size_t first = 0;
    std::size_t count = 0;
    const auto takeFirst = [&] {
        Candidate& candidate = waiting[first];
        const std::size_t home = indexOf(candidate.home, candidate.fingerprint);
        if (home != NotNoted)
            takeLine(listedCalls_[home], candidate.call, candidate.line);
        first = (first + 1) % Waiting;
        --count;
    };
    std::string line;
    while (list.readLine(line)) {
        const std::string_view word = firstWord(line);
        if (word.empty() || word.size() > LongestFirstWord)
            continue;
        Candidate& next = waiting[(first + count) % Waiting];
        next.call.assign(word); // in the candidate's own storage: no allocation per line
        for (char& byte : next.call)
            if (byte >= 'a' && byte <= 'z')
                byte = static_cast<char>(byte - 'a' + 'A');
        // Without a "/" the call is its own home call.
        if (next.call.find('/') == std::string::npos)
            next.home.assign(next.call);
        else
            next.home = callshape::homeCallOf(next.call);
        next.fingerprint = fingerprintOf(next.home);
        if (slots_.empty() || !mayBeNoted(next.fingerprint))
            continue;
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(&slots_[next.fingerprint & (slots_.size() - 1)]);
#endif
        next.line.swap(line);
        if (++count == Waiting)
            takeFirst();
    }
    while (count > 0)
        takeFirst();
}

void RouteBook::takeLine(std::vector<ListedCall>& calls, std::string_view call, std::string_view line)
{
    const auto listed =
        std::find_if(calls.begin(), calls.end(), [&](const ListedCall& known) { return known.call == call; });
    takeLine(listed != calls.end() ? listed->routes : calls.emplace_back(ListedCall{std::string(call), {}}).routes,
             line);
}

void RouteBook::takeLine(StationRoutes& station, std::string_view line)
{
    LineRoute route = routeOfLine(line);
    station.listed = true;
    if (station.manager.empty())
        station.manager = std::move(route.manager);
    station.pirate = station.pirate || route.pirate;
    if (route.notRoute != layout::Keyword::Count && !route.notCall.empty())
        station.notRoutes.emplace_back(route.notRoute, std::move(route.notCall));
}

const StationRoutes* RouteBook::find(std::string_view qsoCall) const
{
    const std::string_view trimmed = trimmedCall(qsoCall);
    if (trimmed.empty())
        return nullptr;
    const std::string home = callshape::homeCallOf(trimmed);
    const std::size_t index = indexOf(home);
    if (index == NotNoted || listedCalls_[index].empty())
        return nullptr;
    const std::vector<ListedCall>& listed = listedCalls_[index];
    const std::string call = capitals(trimmed);
    const std::size_t lastSlash = call.rfind('/');
    const bool endsInSuffix = lastSlash != std::string::npos && call.substr(lastSlash + 1) != home;
    const std::string withoutSuffix = endsInSuffix ? call.substr(0, lastSlash) : call;
    for (const std::string& wanted : {call, withoutSuffix, home})
        for (const ListedCall& candidate : listed)
            if (candidate.call == wanted)
                return &candidate.routes;
    return &listed.front().routes;
}

} // namespace borvelin
