// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/AnswerText.h"

namespace borvelin {

namespace {

std::string withoutTrailingBlanks(const std::string& line)
{
    return line.substr(0, line.find_last_not_of(' ') + 1);
}

} // namespace

std::string answerText(const LookupAnswer& answer)
{
    if (!answer.found())
        return answer.call + ": not in QSL.TXT\n";
    std::string text = answer.call + '\n';
    for (const LookupHit& hit : answer.hits) {
        text.append("  line ").append(std::to_string(hit.lineNumber)).append(": ").append(routeInWords(hit));
        for (const std::string& remark : hit.remarks)
            text.append("; ").append(remark);
        text.append("\n    ").append(withoutTrailingBlanks(hit.line)).append("\n");
    }
    return text;
}

} // namespace borvelin
