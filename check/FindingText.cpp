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

// The finding's message, from its code's parts in the table.
void addMessage(Parts& parts, const Finding& finding, std::array<char, 20>& digits)
{
    for (const MessagePart& part : kindOf(finding.code).messages[finding.variant]) {
        switch (part.kind) {
        case MessagePart::Kind::Text: parts.add({part.text}); break;
        case MessagePart::Kind::Keyword: parts.add({finding.keyword}); break;
        case MessagePart::Kind::Named: parts.add({finding.named}); break;
        case MessagePart::Kind::Number: parts.add({decimal(finding.number, digits)}); break;
        case MessagePart::Kind::End: return;
        }
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

void appendRow(std::string& text, std::uint64_t lineNumber, const Finding& finding)
{
    Parts parts;
    std::array<char, 20> lineDigits;
    std::array<char, 20> codeDigits;
    std::array<char, 20> messageDigits;
    parts.add({decimal(lineNumber, lineDigits), ";", severityText(finding.severity), ";C",
               decimal(static_cast<std::uint64_t>(numberOf(finding.code)), codeDigits), ";", finding.call, ";"});
    addMessage(parts, finding, messageDigits);
    parts.appendTo(text);
}

} // namespace borvelin
