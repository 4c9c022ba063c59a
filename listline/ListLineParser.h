// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/KeywordColumns.h"
#include "listline/LineLayout.h"
#include "listline/ListEntry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

class LineFailureLog;

// Cuts one manager-list line into a ListEntry. The steps run in order on every line;
// each applies or not by its own test, and a later step's value stands over an
// earlier one's. Columns are 1-based byte positions.
class ListLineParser {
public:
    explicit ListLineParser(LineFailureLog& failures) : failures_(failures) {}

    // Parses `textLine` into `entry` (whatever it held before) and gives back
    // the line as parsed: `textLine`, or, when a "(for " lacks its ")", a repaired copy
    // that the rest of the parse sees, kept until the next parse. The entry's values are
    // views into these lines.
    std::string_view parse(std::string_view textLine, ListEntry& entry);

    static constexpr std::string_view BracketFailure = "Failure: Bracket open is not followed by a bracket close.";
    static constexpr std::string_view ExManagerFailure = "Failure: Ex- is not followed by a bracket close.";
    static std::string bureauFailure(std::string_view dxCall);

private:
    enum class AddressForm { Bureau, NotVia, Direct };

    void cutBureauAddress();
    void cutHomeCall();
    void cutNotVia();
    void cutNotMore();
    void cutNotLonger();
    void cutNotRoute(layout::Keyword keyword, std::size_t callColumn, NotRoute routeCode);
    void cutManager();
    void markPirate();
    void cutDirectAddress();
    void markRemarks();
    void cutFormerManager();
    void cutSeeAlso();
    void cutForCall();
    void cutHimselfVia();
    void cutRemarkCall(layout::Keyword keyword, std::string_view& field);
    bool splitPortablePrefix();

    bool splitAddress(AddressForm form);
    void useLine(std::string_view line);
    bool routeKeywordOccurs() const;
    // Does `keyword` stand at the route column?
    bool routeIs(layout::Keyword keyword) const { return keywords_.column(keyword) == layout::RouteColumn; }

    // The bytes from `column` to the first `stop` at or after it, or to the end of the line.
    std::string_view upTo(std::size_t column, char stop) const;
    std::string_view upToAny(std::size_t column, std::string_view stops) const;
    std::string_view fromColumn(std::size_t column) const;
    std::size_t findByte(char byte, std::size_t column) const;

    LineFailureLog& failures_;
    std::string repairedLine_;
    ListEntry* entry_ = nullptr;
    std::string_view line_;
    KeywordColumns keywords_; // from the route column on
    std::string_view firstWord_;
};

} // namespace borvelin
