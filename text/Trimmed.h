// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/Bytes16.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace borvelin {

// Which bytes count as blanks around a value. The list's columns are padded with
// spaces only, and a tab there is part of the text; the values of an import row or an
// ADIF field may have tabs around them as well.
enum class Blanks { Spaces, SpacesAndTabs };

constexpr bool isBlank(char byte, Blanks blanks)
{
    return byte == ' ' || (blanks == Blanks::SpacesAndTabs && byte == '\t');
}

constexpr std::string_view trimmed(std::string_view text, Blanks blanks)
{
    while (!text.empty() && isBlank(text.front(), blanks))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back(), blanks))
        text.remove_suffix(1);
    return text;
}

// The line's length without the spaces at its end: padded lines end in dozens of them,
// looked at 16 a step.
inline std::size_t lengthWithoutTrailingSpaces(std::string_view line)
{
    std::size_t length = line.size();
    for (; length >= Bytes16::Size; length -= Bytes16::Size) {
        const std::uint32_t spaces = Bytes16::load(line.data() + length - Bytes16::Size).equalTo(' ').topBits();
        if (spaces != 0xFFFF)
            return length - Bytes16::Size + static_cast<std::size_t>(std::bit_width(~spaces & 0xFFFF));
    }
    while (length > 0 && line[length - 1] == ' ')
        --length;
    return length;
}

inline std::string_view withoutTrailingSpaces(std::string_view line)
{
    return line.substr(0, lengthWithoutTrailingSpaces(line));
}

} // namespace borvelin
