// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace borvelin {

// error: the line is misread or the card goes astray; warning: probably wrong; note.
enum class Severity : std::uint8_t { Error, Warning, Note };

// The codes of Check List; each value is the number after the C in QSLCHK.CSV.
enum class FindingCode : std::uint8_t {
    LoggedByList25 = 1,   // C1
    StationNoCall,        // C2
    NamedNoCall,          // C3
    RoutedDifferently,    // C4
    RepeatedLine,         // C5
    ViaAndNotVia,         // C6
    ManagerStopped,       // C7
    OwnManager,           // C8
    ManagerViaAnother,    // C9
    SeeAlsoWithoutLine,   // C10
    KeywordOutOfColumn,   // C11
    ForeignByte,          // C12
    BureauWithoutAddress, // C13
    HistoryConflict,      // C14
};

constexpr int FirstCode = 1;
constexpr int LastCode = 14;

constexpr int numberOf(FindingCode code)
{
    return static_cast<int>(code);
}

// A piece of a finding's message: a text of its own, or what the finding names.
struct MessagePart {
    enum class Kind : std::uint8_t { Text, Keyword, Named, Number, End };
    Kind kind = Kind::End;
    std::string_view text;
};

// The parts of a message, up to an End.
using Message = std::array<MessagePart, 7>;

// What each code means, how serious it is, and its message or two (the finding's
// variant picks one). A "QSL via" that names no call is an error, where the other
// keywords' are warnings: the one case the finding's severity departs from the table.
struct FindingKind {
    FindingCode code;
    Severity severity;
    std::string_view meaning; // for the user, after the count: "3 findings C2 (a station's call that is no call)"
    std::array<Message, 2> messages;
};

namespace finding_parts {
constexpr MessagePart text(std::string_view words)
{
    return {MessagePart::Kind::Text, words};
}
constexpr MessagePart Keyword{MessagePart::Kind::Keyword, {}};
constexpr MessagePart Named{MessagePart::Kind::Named, {}};
constexpr MessagePart Number{MessagePart::Kind::Number, {}};
} // namespace finding_parts

constexpr std::array<FindingKind, LastCode> FindingKinds = [] {
    using namespace finding_parts;
    using enum FindingCode;
    using enum Severity;
    return std::array<FindingKind, LastCode>{{
        {LoggedByList25, Error, "a line List of 25+ logs", {{{text("List of 25+ logs: "), Named}}}},
        {StationNoCall,
         Warning,
         "a station's call that is no call",
         {{{text("the station's call is not a well-formed call")}}}},
        {NamedNoCall,
         Warning,
         "a named call that is no call",
         {{{text("the call after \""), Keyword, text("\", "), Named, text(", is not a well-formed call")},
           {text("\""), Keyword, text("\" names no call")}}}},
        {RoutedDifferently,
         Warning,
         "a station routed differently on another line",
         {{{text("the station is routed differently on line "), Number}}}},
        {RepeatedLine, Note, "the same line twice", {{{text("the same line as line "), Number}}}},
        {ViaAndNotVia,
         Warning,
         "QSL via and NOT via the same call",
         {{{text("NOT via "), Named, text(", but QSL via it on line "), Number},
           {text("QSL via "), Named, text(", but NOT via it on line "), Number}}}},
        {ManagerStopped,
         Warning,
         "a manager listed as PIRATE, NOT MORE or NOT LONGER",
         {{{text("the manager "), Named, text(" is listed as "), Keyword, text(" on line "), Number}}}},
        {OwnManager,
         Note,
         "a station listed as its own manager",
         {{{text("the station is listed as its own manager")}}}},
        {ManagerViaAnother,
         Note,
         "a manager whose own cards go via another",
         {{{text("the manager "), Named, text(" has his own cards sent via another manager on line "), Number}}}},
        {SeeAlsoWithoutLine,
         Note,
         "a see-also call with no line of its own",
         {{{text("see also "), Named, text(": it has no line of its own")}}}},
        {KeywordOutOfColumn,
         Error,
         "a route keyword away from column 14",
         {{{text("\""), Keyword, text("\" begins at column "), Number,
            text(", not 14: the line is not read as a route")}}}},
        {ForeignByte,
         Error,
         "a tab, control byte or byte over 127 in a call",
         {{{text("the station's call holds a tab, a control byte or a byte over 127")},
           {text("the call after \""), Keyword, text("\" holds a tab, a control byte or a byte over 127")}}}},
        {BureauWithoutAddress, Error, "a bureau line without an address", {{{text("the bureau line has no address")}}}},
        {HistoryConflict,
         Warning,
         "a month in which the route history gives the station two managers",
         {{{text("the history gives "), Named, text(", QSLHIST.CSV line "), Number},
           {text("the history gives "), Named, text(", QSLHIST.CSV line "), Number,
            text("; QSL.TXT has no line of the station")}}}},
    }};
}();

constexpr bool findingKindsInOrder()
{
    for (std::size_t index = 0; index < FindingKinds.size(); ++index)
        if (numberOf(FindingKinds[index].code) != static_cast<int>(index) + FirstCode)
            return false;
    return true;
}
static_assert(findingKindsInOrder(), "FindingKinds lists every code once, in order");

constexpr const FindingKind& kindOf(FindingCode code)
{
    return FindingKinds[static_cast<std::size_t>(numberOf(code) - FirstCode)];
}

} // namespace borvelin
