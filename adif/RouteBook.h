// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallTable.h"
#include "calls/LookAheadRing.h"
#include "history/HistoryEntry.h"
#include "history/ImportRow.h"
#include "history/SourceNames.h"
#include "listline/LineLayout.h"
#include "listline/RouteReader.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace borvelin {

// What the manager list says of one station, from all of its lines.
struct StationRoutes {
    bool listed = false;
    // The first managers its lines name (QSL via, or QSL via Home Call), in capitals, each
    // once, in the order of the lines, and whether yet others follow: enough to tell one
    // manager from several and to name them. The first manager a line names that is no
    // call, as it stands.
    static constexpr std::size_t ManagersKept = 3;
    std::vector<std::string> managers;
    bool moreManagers = false;
    std::string malformedManager;
    bool pirate = false;
    std::vector<std::pair<layout::Keyword, std::string>> notRoutes; // NOT via, NOT MORE, NOT LONGER
    std::string address; // of its first line with a direct address, its parts joined by ", "

    // The manager of its first line that names one; empty when none does.
    std::string_view manager() const { return managers.empty() ? std::string_view() : managers.front(); }
};

// The lines the list has for a QSO's call.
struct ListedRoutes {
    const StationRoutes* routes = nullptr; // nullptr: the list does not have the station
    // The lines are those of the call itself, not of another form of it (its home call,
    // or the call without its suffix).
    bool ofTheCall = false;
    std::string_view listedCall; // the call of the lines, in capitals
};

// The history's lines for a QSO's call, sorted by date.
struct HistoryOfCall {
    std::span<const HistoryEntry> lines; // none: the history has no line of the call
    // The lines are those of the call itself, not of another form of it.
    bool ofTheCall = false;
    std::string_view call; // the call of the lines
};

// The manager list's routes for the calls of one log. The log's home calls are noted
// first, then one pass over the list keeps only the lines of those: memory grows with the
// stations the log worked, not with the list, and only their lines are read closely.
//
// Letter case is ignored and portable forms are found both ways: Q1ABC/P and QA/Q1ABC
// find the lines of Q1ABC, and Q1ABC those of Q1ABC/P. Of the lines of one home call,
// the one of the call itself wins, then that of the call without its suffix (the
// prefix names the country), then that of the home call, then the first.
//
// The route history QSLHIST.CSV, when there is one, is read the same way after the list:
// only the lines of the noted home calls are kept.
class RouteBook {
public:
    void noteCall(std::string_view qsoCall);
    // The list, once every call is noted: its lines in order, in as many pieces as come.
    void beginList();
    void takeListLines(std::span<const std::string_view> lines);
    void endList();
    ListedRoutes find(std::string_view qsoCall) const;
    // A line of the history, read on any thread: the place of its home call among the
    // noted ones, or NotNoted, and its row.
    struct HistoryLine {
        std::uint32_t home;
        ImportRow row;
    };
    static constexpr std::uint32_t NotNoted = std::numeric_limits<std::uint32_t>::max();
    // The history, after the list, in as many pieces as come: the lines of the noted
    // calls read into `read`, on any thread; then, in order, those lines taken.
    void readHistoryLines(std::span<const std::string_view> lines, std::span<HistoryLine> read) const;
    void takeHistoryLines(std::span<const HistoryLine> read);
    void endHistory();
    // The history of the call itself, else of the call without its suffix, else of its
    // home call; with `exactOnly`, of the call itself only.
    HistoryOfCall findHistory(std::string_view qsoCall, bool exactOnly) const;
    const SourceNames& historySources() const { return historySources_; }
    // Whether the list marks `call` (in capitals) PIRATE on a line of its own.
    bool isPirate(std::string_view call) const;

    // A list line whose home call may have been noted, waiting while its home call's
    // slot and record are asked for.
    struct Candidate {
        std::string line;
        std::string call; // the first word in capitals
        std::string home;
        std::uint64_t hash = 0;
    };
    void askForSlot(const Candidate& candidate) const { homes_.prefetchSlot(candidate.hash); }
    void askForRecord(const Candidate& candidate) const { homes_.prefetchRecord(candidate.hash); }
    void take(const Candidate& candidate);

private:
    struct ListedCall {
        std::string call; // as the list writes it, in capitals
        StationRoutes routes;
    };
    // A home call beside its lines, so that the look-up that compares it also fetches them.
    struct NotedHome {
        std::string call;
        std::vector<ListedCall> listed;
        std::vector<HistoryEntry> history; // by call, then date, once the history is read
    };

    void takeLine(StationRoutes& station, std::string_view line);
    // The place of the history line's call's home among the noted ones, or NotNoted.
    std::uint32_t homeOfHistoryField(std::string_view field, bool portable) const;
    static void takeManager(StationRoutes& station, const LineRoute& route);
    void notePirate(std::string_view word);
    static auto isPirateCall(std::string_view call)
    {
        return [call](const Pirate& pirate) { return pirate.call == call; };
    }
    void takeLine(std::vector<ListedCall>& calls, std::string_view call, std::string_view line);
    static auto isHome(std::string_view home)
    {
        return [home](const NotedHome& noted) { return noted.call == home; };
    }

    // Most list lines name a call the log never worked: a filter in front of the home
    // calls noted, at this many bits each, settles them from the cache.
    static constexpr std::size_t FilterBitsPerHome = 32;

    CallTable<NotedHome> homes_;
    // Every call of the list with a line that says PIRATE: the managers the log's
    // stations name are not known when the list is read, and pirates are few.
    struct Pirate {
        std::string call; // in capitals
    };
    CallTable<Pirate> pirates_;
    RouteReader routes_; // of the lines of the calls noted
    LookAheadRing<Candidate, 8> waiting_;
    Candidate next_;       // the line in hand, its strings used again and again
    std::string portable_; // the home call of a portable call in hand
    SourceNames historySources_;
    std::vector<std::uint32_t> historyToSort_; // the homes whose lines came out of order
};

} // namespace borvelin
