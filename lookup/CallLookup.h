// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobFiles.h"
#include "jobs/LineSource.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "lookup/CallHash.h"
#include "lookup/HitTexts.h"
#include "lookup/LookupAnswer.h"
#include "lookup/ParsedRoute.h"

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

    // One answer per call asked for, in the order asked; without its hits when only the
    // text is kept.
    const std::vector<LookupAnswer>& answers() const { return answers_; }
    bool found(std::size_t answer) const { return found_[answer]; }
    bool allFound() const;
    // Appends the text of answers()[answer], as answerText gives it.
    void appendAnswerText(std::string& text, std::size_t answer) const;
    // When only the text is kept: writes the answer's text after its first line.
    void writeHitsText(std::size_t answer, std::ostream& out) const;
    std::uint64_t linesRead() const { return linesRead_; }

private:
    // The calls asked for, by home call: several calls may share one.
    struct Home {
        std::string call; // in capitals
        std::vector<std::size_t> askedBy;
    };

    static constexpr unsigned FilterBits = 16;
    static constexpr std::size_t NoHome = static_cast<std::size_t>(-1);

    void addHome(std::string home, std::size_t answer);
    // The quick test every line's call takes: its length, then the filter.
    bool mayBeAsked(std::string_view lineHome) const
    {
        if (lineHome.size() < shortestHome_ || lineHome.size() > longestHome_ || homes_.empty())
            return false;
        const std::uint64_t bit = quickHashOf(lineHome) >> (64 - FilterBits);
        return ((filter_[bit / 64] >> (bit % 64)) & 1) != 0;
    }
    // Of the first eight bytes in capitals and the length: cheaper than callHash, for the
    // filter, which settles most lines.
    static std::uint64_t quickHashOf(std::string_view home)
    {
        const std::uint64_t bytes = inCapitals(wordOf(home.data(), home.size() < 8 ? home.size() : 8));
        return (bytes ^ home.size()) * 0x9e3779b97f4a7c15ULL;
    }
    const Home* homeOf(std::string_view lineHome, std::uint64_t hash) const;
    void addHit(const Home& home, std::string_view line, std::uint64_t lineNumber);
    void readHit(std::string_view line, std::uint64_t lineNumber);

    Keeps keeps_;
    std::vector<LookupAnswer> answers_;
    std::vector<bool> found_;
    HitTexts hitTexts_;                     // of each home, when only the text is kept
    std::string hitText_;                   // of the line in hand
    std::vector<std::size_t> homeOfAnswer_; // into homes_; NoHome for a call that has none
    LookupHit hit_;                         // the line in hand, its strings used again and again
    std::vector<Home> homes_;
    std::vector<std::uint32_t> slots_; // open addressing into homes_, 0 is free
    // A bit for each value of the top bits of the quick hashes of the homes asked for.
    std::vector<std::uint64_t> filter_ = std::vector<std::uint64_t>((std::size_t{1} << FilterBits) / 64);
    std::size_t shortestHome_ = 0;
    std::size_t longestHome_ = 0;
    std::uint64_t linesRead_ = 0;

    class IgnoredFailures : public LineFailureLog {
    public:
        void logFailure(std::string_view, std::string_view) override {}
    };
    IgnoredFailures noLog_;
    ListLineParser parser_{noLog_};
    ListEntry entry_;
    RouteReader routes_;
};

// Looks up the calls in QSL.TXT. Fails with JobError as reading the list would.
std::vector<LookupAnswer> lookUpCalls(const std::vector<std::string>& calls, JobFiles& files = diskFiles());
// The answers as their text, one after the other, from the list `list` reads.
std::string lookUpText(const std::vector<std::string>& calls, LineSource& list);

} // namespace borvelin
