// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/Finding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <initializer_list>

namespace borvelin {

namespace {

// The texts a row is made of, gathered first and appended in one go: a row has a dozen
// of them, and a list may have a finding on every line.
class Parts {
public:
    void add(std::initializer_list<std::string_view> parts)
    {
        for (const std::string_view part : parts)
            parts_[count_++] = part;
    }
    void appendTo(std::string& text) const
    {
        std::size_t length = 0;
        for (std::size_t index = 0; index < count_; ++index)
            length += parts_[index].size();
        std::size_t at = text.size();
        text.resize(at + length);
        for (std::size_t index = 0; index < count_; ++index) {
            std::memcpy(text.data() + at, parts_[index].data(), parts_[index].size());
            at += parts_[index].size();
        }
    }

private:
    std::array<std::string_view, 16> parts_{}; // the longest row has 14
    std::size_t count_ = 0;
};

// A number's decimal digits, written into `digits`.
std::string_view decimal(std::uint64_t number, std::array<char, 20>& digits)
{
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    return {digits.data(), static_cast<std::size_t>(end - digits.data())};
}

// The message of each code, in parts: text, then what the finding names.
void addMessage(Parts& parts, const Finding& finding, std::array<char, 20>& digits)
{
    const std::string_view number = decimal(finding.number, digits);
    const std::string_view keyword = finding.keyword;
    const std::string_view named = finding.named;
    const bool first = finding.variant == 0;
    switch (finding.code) {
    case 1: parts.add({"List of 25+ logs: ", named}); break;
    case 2: parts.add({"the station's call is not a well-formed call"}); break;
    case 3:
        if (first)
            parts.add({"the call after \"", keyword, "\", ", named, ", is not a well-formed call"});
        else
            parts.add({"\"", keyword, "\" names no call"});
        break;
    case 4: parts.add({"the station is routed differently on line ", number}); break;
    case 5: parts.add({"the same line as line ", number}); break;
    case 6:
        if (first)
            parts.add({"NOT via ", named, ", but QSL via it on line ", number});
        else
            parts.add({"QSL via ", named, ", but NOT via it on line ", number});
        break;
    case 7: parts.add({"the manager ", named, " is listed as ", keyword, " on line ", number}); break;
    case 8: parts.add({"the station is listed as its own manager"}); break;
    case 9: parts.add({"the manager ", named, " has his own cards sent via another manager on line ", number}); break;
    case 10: parts.add({"see also ", named, ": it has no line of its own"}); break;
    case 11:
        parts.add({"\"", keyword, "\" begins at column ", number, ", not 14: the line is not read as a route"});
        break;
    case 12:
        if (first)
            parts.add({"the station's call holds a tab, a control byte or a byte over 127"});
        else
            parts.add({"the call after \"", keyword, "\" holds a tab, a control byte or a byte over 127"});
        break;
    case 13: parts.add({"the bureau line has no address"}); break;
    default: break;
    }
}

} // namespace

std::string_view severityText(Severity severity)
{
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
    }
    return "";
}

Severity severityOfRow(std::string_view row)
{
    const std::string_view severity = row.substr(std::min(row.find(';') + 1, row.size()));
    if (severity.starts_with(severityText(Severity::Error)))
        return Severity::Error;
    if (severity.starts_with(severityText(Severity::Warning)))
        return Severity::Warning;
    return Severity::Note;
}

std::string_view codeMeaning(int code)
{
    switch (code) {
    case 1: return "a line List of 25+ logs";
    case 2: return "a station's call that is no call";
    case 3: return "a named call that is no call";
    case 4: return "a station routed differently on another line";
    case 5: return "the same line twice";
    case 6: return "QSL via and NOT via the same call";
    case 7: return "a manager listed as PIRATE, NOT MORE or NOT LONGER";
    case 8: return "a station listed as its own manager";
    case 9: return "a manager whose own cards go via another";
    case 10: return "a see-also call with no line of its own";
    case 11: return "a route keyword away from column 14";
    case 12: return "a tab, control byte or byte over 127 in a call";
    case 13: return "a bureau line without an address";
    default: return "";
    }
}

void appendRow(std::string& text, std::uint64_t lineNumber, const Finding& finding)
{
    Parts parts;
    std::array<char, 20> lineDigits;
    std::array<char, 20> codeDigits;
    std::array<char, 20> messageDigits;
    parts.add({decimal(lineNumber, lineDigits), ";", severityText(finding.severity), ";C",
               decimal(finding.code, codeDigits), ";", finding.call, ";"});
    addMessage(parts, finding, messageDigits);
    parts.appendTo(text);
}

} // namespace borvelin
