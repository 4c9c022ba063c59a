// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/FindingRow.h"

#include <charconv>

namespace borvelin {

namespace {

// The text up to the next ";", taken off `rest`.
std::string_view field(std::string_view& rest)
{
    const auto end = rest.find(';');
    if (end == std::string_view::npos)
        return rest = {}, std::string_view();
    const std::string_view value = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    return value;
}

bool readNumber(std::string_view text, std::uint64_t& number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

std::optional<FindingRow> parseFindingRow(std::string_view row, std::string_view call)
{
    FindingRow finding;
    std::string_view rest = row;
    const std::string_view line = field(rest);
    const std::string_view severity = field(rest);
    const std::string_view code = field(rest);
    std::uint64_t number = 0;
    if (!readNumber(line, finding.line) || severity.empty() || code.size() < 2 || code.front() != 'C' ||
        !readNumber(code.substr(1), number))
        return std::nullopt;
    finding.severity = severity;
    finding.code = static_cast<int>(number);
    if (!call.empty() && rest.size() > call.size() && rest.starts_with(call) && rest[call.size()] == ';')
        rest.remove_prefix(call.size() + 1);
    else
        field(rest);
    finding.message = rest;
    return finding;
}

std::string findingInWords(const FindingRow& finding)
{
    return finding.severity + " C" + std::to_string(finding.code) + ": " + finding.message;
}

} // namespace borvelin
