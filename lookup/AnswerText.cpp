// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/AnswerText.h"

#include "history/ManagerInForce.h"
#include "text/Trimmed.h"

#include <array>
#include <charconv>
#include <string_view>

namespace borvelin {

void appendAnswerHead(std::string& text, std::string_view call, bool found)
{
    text.append(call).append(found ? "\n" : ": not in QSL.TXT\n");
}

void appendHitText(std::string& text, const LookupHit& hit)
{
    appendHitText(text, hit, hit.line);
}

void appendHitText(std::string& text, const LookupHit& hit, std::string_view line)
{
    std::array<char, 20> digits;
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), hit.lineNumber).ptr;
    text.append("  line ").append(digits.data(), static_cast<std::size_t>(end - digits.data())).append(": ");
    appendRouteInWords(text, hit);
    for (const std::string& remark : hit.remarks)
        text.append("; ").append(remark);
    text.append("\n    ").append(line.substr(0, lengthWithoutTrailingSpaces(line))).append("\n");
}

namespace {

void appendPadded(std::string& text, std::string_view value, std::size_t width)
{
    text.append(value).append(value.size() < width ? width - value.size() : 1, ' ');
}

} // namespace

void appendHistoryText(std::string& text, std::span<const HistoryEntry> lines, const SourceNames& sources)
{
    constexpr std::size_t DateWidth = 12;
    constexpr std::size_t ManagerWidth = ShortCall::MostBytes + 2;
    DateText date;
    for (std::size_t callBegin = 0; callBegin < lines.size();) {
        const ShortCall& call = lines[callBegin].call;
        std::size_t callEnd = callBegin + 1;
        while (callEnd < lines.size() && lines[callEnd].call == call)
            ++callEnd;
        const std::span<const HistoryEntry> ofCall = lines.subspan(callBegin, callEnd - callBegin);
        callBegin = callEnd;
        text.append("  history of ").append(call.view()).append(", oldest first:\n");
        for (std::size_t first = 0; first < ofCall.size();) {
            const std::span<const HistoryEntry> month = monthFrom(ofCall, first);
            const bool twoManagers = namesTwoManagers(month);
            for (const HistoryEntry& line : month) {
                const std::string_view dateRead = dateText(line.date, date);
                text.append("    ");
                appendPadded(text, dateRead.empty() ? "(no date)" : dateRead, DateWidth);
                appendPadded(text, line.manager.view(), ManagerWidth);
                text.append(sources.nameOf(line.source));
                if (twoManagers)
                    text.append("  (two managers ").append(monthPhrase(monthOf(line.date))).append(")");
                text.append("\n");
            }
            first += month.size();
        }
    }
}

void appendAnswerText(std::string& text, const LookupAnswer& answer)
{
    appendAnswerHead(text, answer.call, answer.found());
    for (const LookupHit& hit : answer.hits)
        appendHitText(text, hit);
}

std::string answerText(const LookupAnswer& answer)
{
    std::string text;
    appendAnswerText(text, answer);
    return text;
}

} // namespace borvelin
