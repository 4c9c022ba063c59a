// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/RouteBook.h"

#include "jobs/StopRequest.h"
#include "listline/CallShape.h"
#include "listline/LineRoute.h"
#include "text/Capitals.h"
#include "text/Trimmed.h"

#include <algorithm>
#include <array>

namespace borvelin {

namespace {

// Cancel is looked at after this many lines of the list.
constexpr std::uint64_t StopCheckInterval = 4096;

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

// A log's call as its field holds it, without the blanks (tabs too) around it.
std::string_view trimmedCall(std::string_view call)
{
    return trimmed(call, Blanks::SpacesAndTabs);
}

} // namespace

std::size_t RouteBook::slotOf(std::string_view homeCall, std::uint32_t fingerprint) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = fingerprint & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = slots_[slot];
        if (entry.home == 0 || (entry.fingerprint == fingerprint && homes_[entry.home - 1].call == homeCall))
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
    if ((homes_.size() + 1) * 2 > slots_.size())
        grow();
    const std::uint32_t fingerprint = fingerprintOf(home);
    Slot& entry = slots_[slotOf(home, fingerprint)];
    if (entry.home != 0)
        return;
    const std::uint32_t bit = fingerprint >> (32 - HashBitsFiltered);
    noted_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    homes_.push_back({std::move(home), {}});
    entry = {static_cast<std::uint32_t>(homes_.size()), fingerprint};
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
            takeLine(homes_[home].listed, candidate.call, candidate.line);
        first = (first + 1) % Waiting;
        --count;
    };
    std::string line;
    char call[LongestFirstWord];
    std::string portableHome;
    std::uint64_t linesRead = 0;
    while (list.readLine(line)) {
        if (++linesRead % StopCheckInterval == 0)
            stopIfRequested();
        const std::string_view word = firstWord(line);
        if (word.empty() || word.size() > LongestFirstWord || slots_.empty())
            continue;
        bool portable = false;
        for (std::size_t index = 0; index < word.size(); ++index) {
            const char byte = word[index];
            call[index] = inCapitals(byte);
            portable = portable || byte == '/';
        }
        const std::string_view capitalCall(call, word.size());
        // Without a "/" the call is its own home call.
        if (portable)
            portableHome = callshape::homeCallOf(capitalCall);
        const std::string_view home = portable ? std::string_view(portableHome) : capitalCall;
        const std::uint32_t fingerprint = fingerprintOf(home);
        if (!mayBeNoted(fingerprint))
            continue;
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(&slots_[fingerprint & (slots_.size() - 1)]);
#endif
        Candidate& next = waiting[(first + count) % Waiting];
        next.call.assign(capitalCall); // in the candidate's own storage: no allocation per line
        next.home.assign(home);
        next.fingerprint = fingerprint;
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
    if (index == NotNoted || homes_[index].listed.empty())
        return nullptr;
    const std::vector<ListedCall>& listed = homes_[index].listed;
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
