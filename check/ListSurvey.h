// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CrossLineChecks.h"
#include "check/LineFacts.h"
#include "jobs/LineSource.h"
#include "jobs/StatusSink.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "lookup/ParsedRoute.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace borvelin {

// Check List's first pass: what every line of the list says of its calls, into the
// checks across lines. Plain "QSL via" lines skip the grammar (PlainLine.h).
class ListSurvey {
public:
    ListSurvey(CrossLineChecks& checks, StatusSink& status) : checks_(checks), status_(status) {}

    void survey(LineSource& list);

private:
    void readFacts();

    class IgnoredFailures : public LineFailureLog {
    public:
        void logFailure(std::string_view, std::string_view) override {}
    };

    CrossLineChecks& checks_;
    StatusSink& status_;
    IgnoredFailures noLog_;
    ListLineParser parser_{noLog_};
    RouteReader routes_;
    std::string line_;
    ListEntry entry_;
    LineFacts facts_;
};

// Line numbers are kept in 32 bits; a longer list fails with error 6.
std::uint32_t checkedLineNumber(std::uint64_t count);

} // namespace borvelin
