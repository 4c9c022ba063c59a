// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/LineFacts.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "listline/RouteReader.h"

#include <string_view>

namespace borvelin {

// What one line of the list says of its calls, for the first pass of Check List. Plain
// "QSL via" lines skip the grammar (PlainLine.h). One for each thread: it keeps the
// parser's state.
class LineSurveyor {
public:
    SurveyFacts factsOf(std::string_view line);

private:
    IgnoredFailures noLog_;
    ListLineParser parser_{noLog_};
    RouteReader routes_;
    ListEntry entry_;
    LineFacts facts_;
};

} // namespace borvelin
