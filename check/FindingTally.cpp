// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/FindingTally.h"

#include <numeric>

namespace borvelin {

std::uint64_t FindingTally::total() const
{
    return std::accumulate(counts_.begin(), counts_.end(), std::uint64_t{0});
}

std::string FindingTally::summary() const
{
    std::string text = "Findings:";
    const char* separator = " ";
    for (int code = FirstCode; code <= LastCode; ++code) {
        if (countOf(code) == 0)
            continue;
        text += separator;
        text += "C" + std::to_string(code) + " " + std::to_string(countOf(code));
        separator = ", ";
    }
    return total() == 0 ? text + " none" : text;
}

} // namespace borvelin
