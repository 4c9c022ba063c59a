// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/Finding.h"

namespace borvelin {

namespace {

// The message of each code, in parts: text, then what the finding names.
void appendParts(std::string& text, std::initializer_list<std::string_view> parts)
{
    for (const std::string_view part : parts)
        text.append(part);
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

void appendMessage(std::string& text, const Finding& finding)
{
    const std::string number = std::to_string(finding.number);
    const std::string_view keyword = finding.keyword;
    const std::string_view named = finding.named;
    const bool first = finding.variant == 0;
    switch (finding.code) {
    case 1: appendParts(text, {"List of 25+ logs: ", named}); break;
    case 2: text += "the station's call is not a well-formed call"; break;
    case 3:
        if (first)
            appendParts(text, {"the call after \"", keyword, "\", ", named, ", is not a well-formed call"});
        else
            appendParts(text, {"\"", keyword, "\" names no call"});
        break;
    case 4: appendParts(text, {"the station is routed differently on line ", number}); break;
    case 5: appendParts(text, {"the same line as line ", number}); break;
    case 6:
        if (first)
            appendParts(text, {"NOT via ", named, ", but QSL via it on line ", number});
        else
            appendParts(text, {"QSL via ", named, ", but NOT via it on line ", number});
        break;
    case 7: appendParts(text, {"the manager ", named, " is listed as ", keyword, " on line ", number}); break;
    case 8: text += "the station is listed as its own manager"; break;
    case 9:
        appendParts(text, {"the manager ", named, " has his own cards sent via another manager on line ", number});
        break;
    case 10: appendParts(text, {"see also ", named, ": it has no line of its own"}); break;
    case 11:
        appendParts(text, {"\"", keyword, "\" begins at column ", number, ", not 14: the line is not read as a route"});
        break;
    case 12:
        if (first)
            text += "the station's call holds a tab, a control byte or a byte over 127";
        else
            appendParts(text, {"the call after \"", keyword, "\" holds a tab, a control byte or a byte over 127"});
        break;
    case 13: text += "the bureau line has no address"; break;
    default: break;
    }
}

void appendRow(std::string& text, std::uint64_t lineNumber, const Finding& finding)
{
    text.append(std::to_string(lineNumber)).append(";").append(severityText(finding.severity));
    text.append(";C").append(std::to_string(finding.code)).append(";");
    text.append(finding.call).append(";");
    appendMessage(text, finding);
}

} // namespace borvelin
