// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/LineSurveyor.h"

#include "check/PlainLine.h"
#include "listline/LineLayout.h"

namespace borvelin {

SurveyFacts LineSurveyor::factsOf(std::string_view line)
{
    line = blankShortLine(line); // as every line of List of 25+
    if (const std::string_view manager = plainManagerOf(line); !manager.empty()) {
        readPlainFacts(line, manager, facts_);
    } else {
        const std::string_view parsed = parser_.parse(line, entry_);
        readFacts(parsed, entry_, routes_.routeOf(parsed, entry_), facts_);
    }
    return surveyFactsOf(facts_);
}

} // namespace borvelin
