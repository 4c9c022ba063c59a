// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryEntry.h"

namespace borvelin {

namespace {

char* putDigits(char* out, std::int32_t number, int digits)
{
    for (int index = digits - 1; index >= 0; --index) {
        out[index] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    return out + digits;
}

} // namespace

std::string_view dateText(std::int32_t date, DateText& text)
{
    if (date <= 0)
        return {};
    char* out = putDigits(text.data(), date / 10000, 4);
    *out++ = '-';
    out = putDigits(out, date / 100 % 100, 2);
    if (date % 100 != 0) {
        *out++ = '-';
        out = putDigits(out, date % 100, 2);
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
