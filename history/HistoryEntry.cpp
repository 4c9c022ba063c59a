// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryEntry.h"

namespace borvelin {

namespace {

// "00" to "99": a date is written two digits at a time, as a history has a million.
constexpr std::array<char, 200> TwoDigits = [] {
    std::array<char, 200> digits{};
    for (std::size_t number = 0; number < 100; ++number) {
        digits[2 * number] = static_cast<char>('0' + number / 10);
        digits[2 * number + 1] = static_cast<char>('0' + number % 10);
    }
    return digits;
}();

char* putTwoDigits(char* out, std::int32_t number)
{
    const auto at = 2 * static_cast<std::size_t>(number);
    out[0] = TwoDigits[at];
    out[1] = TwoDigits[at + 1];
    return out + 2;
}

} // namespace

std::string_view dateText(std::int32_t date, DateText& text)
{
    if (date <= 0)
        return {};
    const std::int32_t year = date / 10000;
    char* out = putTwoDigits(putTwoDigits(text.data(), year / 100), year % 100);
    *out++ = '-';
    out = putTwoDigits(out, date / 100 % 100);
    if (date % 100 != 0) {
        *out++ = '-';
        out = putTwoDigits(out, date % 100);
    }
    return {text.data(), static_cast<std::size_t>(out - text.data())};
}

std::string monthPhrase(std::int32_t month)
{
    if (month <= 0)
        return "without a date";
    DateText text;
    return "in " + std::string(dateText(month * 100, text));
}

} // namespace borvelin
