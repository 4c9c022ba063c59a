// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CallIndex.h"
#include "check/Finding.h"
#include "check/LineFacts.h"
#include "listline/ListEntry.h"

#include <cstdint>
#include <vector>

namespace borvelin {

// The checks that compare lines: C4, C5, C6, C7, C9 and C10. A first pass surveys every
// line into one record per call; the second checks each line against the records, so
// that every line of a conflict is named, the first as well as the later ones.
class CrossLineChecks {
public:
    void survey(const LineFacts& facts, std::uint32_t lineNumber);
    // Keeps only what the checks can ask for: memory and lookups shrink to the calls
    // that have something to compare.
    void finishSurvey();
    void check(const ListEntry& entry, const LineFacts& facts, std::uint32_t lineNumber,
               std::vector<Finding>& findings);

    std::size_t callCount() const { return index_.size(); }

private:
    void surveyRoute(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber);
    void surveyLine(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber);
    void checkRoutes(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings);
    void checkRepeat(CallRecord& record, const LineFacts& facts, std::uint32_t lineNumber,
                     std::vector<Finding>& findings);
    void checkNotVia(const CallRecord& record, const LineFacts& facts, std::vector<Finding>& findings);
    void checkManager(const LineFacts& facts, std::vector<Finding>& findings);
    void checkSeeAlso(const ListEntry& entry, const LineFacts& facts, std::vector<Finding>& findings);

    CallIndex index_;
};

} // namespace borvelin
