// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallHash.h"
#include "calls/CallTable.h"
#include "history/HistoryEntry.h"
#include "history/SourceNames.h"
#include "jobs/JobFiles.h"
#include "jobs/LineSource.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "listline/RouteReader.h"
#include "lookup/HitTexts.h"
#include "lookup/LookupAnswer.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// Looks up many calls in one pass over the list. A line names a call when its first word
// has the same home call: case and portable parts do not count, so Q1ABC/P, QA/Q1ABC and
// q1abc all find the lines of Q1ABC, and Q1ABC finds theirs.
class CallLookup {
public:
    // What is kept of each line found: the hits, or only the answers' text (answerText),
    // all the command line and the window show, which needs no strings of its own per line.
    // The text is kept once for each home call asked, however many calls share it, so
    // that memory does not grow with the calls asked again.
    enum class Keeps { Hits, Text };

    explicit CallLookup(const std::vector<std::string>& calls, Keeps keeps = Keeps::Hits);

    // Reads every line of `list` and gathers the lines that name the calls.
    void readList(LineSource& list);
    // Reads every line of the route history QSLHIST.CSV and keeps the lines of the calls,
    // matched as in the list.
    void readHistory(LineSource& history);

    // One answer per call asked for, in the order asked; without its hits when only the
    // text is kept.
    const std::vector<LookupAnswer>& answers() const { return answers_; }
    bool found(std::size_t answer) const { return found_[answer]; }
    bool allFound() const;
    // Appends the text of answers()[answer], as answerText gives it.
    void appendAnswerText(std::string& text, std::size_t answer) const;
    // When only the text is kept: writes the answer's text after its first line, up to
    // its history.
    void writeHitsText(std::size_t answer, std::ostream& out) const;
    // The history of answers()[answer], as appendHistoryText gives it.
    void appendHistoryText(std::string& text, std::size_t answer) const;
    std::uint64_t linesRead() const { return linesRead_; }

private:
    // A call a line found names, and that line.
    struct NamedCall {
        std::string call; // in capitals
        std::uint64_t line = 0;
        RouteKind route = RouteKind::None;
    };
    // The calls asked for, by home call: several calls may share one. With them what
    // the answer must warn of: the managers its lines give, and the calls they say NOT
    // via (NOT MORE, NOT LONGER).
    struct Home {
        std::string call; // in capitals
        std::vector<std::size_t> askedBy;
        std::vector<NamedCall> managers;
        std::vector<NamedCall> notRoutes;
        std::vector<HistoryEntry> history; // by call, then date
    };

    // Most lines name a call not asked for: a filter in front of the homes asked for, at
    // this many bits each, settles them from the cache.
    static constexpr std::size_t FilterBitsPerHome = 64;
    static constexpr std::size_t NoHome = static_cast<std::size_t>(-1);

    void addHome(std::string home, std::size_t answer);
    static auto isHome(std::string_view lineHome)
    {
        return [lineHome](const Home& home) { return equalInCapitals(home.call, lineHome); };
    }
    // The line found for the home at `place`.
    void addHit(std::uint32_t place, std::string_view line, std::uint64_t lineNumber);
    // The hit in hand from `line`; the route, valid until the next, for the warnings.
    LineRoute readHit(std::string_view line, std::uint64_t lineNumber);
    void noteRoute(Home& home, const LineRoute& route, std::uint64_t lineNumber);
    void notePirate(std::string_view line, std::uint64_t lineNumber);
    // What the home's answer must warn of, a line each: a manager the list marks PIRATE,
    // or that a line of the station says NOT via.
    void appendWarnings(std::string& text, std::size_t home) const;
    void takeHistoryLine(std::string_view line);

    Keeps keeps_;
    std::vector<LookupAnswer> answers_;
    std::vector<bool> found_;
    HitTexts hitTexts_;                     // of each home, when only the text is kept
    std::string hitText_;                   // of the line in hand
    std::vector<std::size_t> homeOfAnswer_; // into homes_; NoHome for a call that has none
    LookupHit hit_;                         // the line in hand, its strings used again and again
    CallTable<Home> homes_;
    // Every call with a line that says PIRATE, and the first such line: a manager's own
    // lines are not known to be wanted when they are read, and pirates are few.
    CallTable<NamedCall> pirates_;
    std::size_t shortestHome_ = 1;
    std::size_t longestHome_ = 0; // none asked for: no line is
    std::uint64_t linesRead_ = 0;

    RouteReader routes_;
    SourceNames historySources_;
};

// Looks up the calls in QSL.TXT. Fails with JobError as reading the list would.
std::vector<LookupAnswer> lookUpCalls(const std::vector<std::string>& calls, JobFiles& files = diskFiles());
// The answers as their text, one after the other, from the list `list` reads and the
// history `history` reads (none: the folder has no history).
std::string lookUpText(const std::vector<std::string>& calls, LineSource& list, LineSource* history = nullptr);

} // namespace borvelin
