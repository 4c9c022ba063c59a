// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobFiles.h"
#include "jobs/LineSource.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "lookup/LookupAnswer.h"
#include "lookup/ParsedRoute.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// Looks up many calls in one pass over the list. A line names a call when its first word
// has the same home call: case and portable parts do not count, so Q1ABC/P, QA/Q1ABC and
// q1abc all find the lines of Q1ABC, and Q1ABC finds theirs.
class CallLookup {
public:
    explicit CallLookup(const std::vector<std::string>& calls);

    // Reads every line of `list` and gathers the lines that name the calls.
    void readList(LineSource& list);

    // One answer per call asked for, in the order asked.
    const std::vector<LookupAnswer>& answers() const { return answers_; }
    bool allFound() const;
    std::uint64_t linesRead() const { return linesRead_; }

private:
    // The calls asked for, by home call: several calls may share one.
    struct Home {
        std::string call; // in capitals
        std::vector<std::size_t> askedBy;
    };

    void addHome(std::string home, std::size_t answer);
    const Home* homeOf(std::string_view lineHome) const;
    void addHit(const Home& home, const std::string& line, std::uint64_t lineNumber);

    std::vector<LookupAnswer> answers_;
    std::vector<Home> homes_;
    std::vector<std::uint32_t> slots_; // open addressing into homes_, 0 is free
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

} // namespace borvelin
