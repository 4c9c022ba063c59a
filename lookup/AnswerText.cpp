// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/AnswerText.h"

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
