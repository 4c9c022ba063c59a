// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace borvelin {

// Keyword searches ignore the case of the ASCII letters A-Z only; every other byte,
// including those of a code page's accented letters, must match exactly.
constexpr char foldCase(char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// True when `what` begins exactly at the 1-based `column` of `line`, ignoring case.
inline bool standsAt(std::string_view line, std::string_view what, std::size_t column)
{
    if (column == 0 || column - 1 > line.size() || line.size() - (column - 1) < what.size())
        return false;
    const char* there = line.data() + (column - 1);
    for (std::size_t index = 0; index < what.size(); ++index) {
        if (foldCase(there[index]) != foldCase(what[index]))
            return false;
    }
    return true;
}

} // namespace borvelin
