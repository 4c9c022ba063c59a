// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ImportRow.h"

#include "listline/CallShape.h"
#include "text/Trimmed.h"

#include <algorithm>

namespace borvelin {

namespace {

constexpr char FieldSeparator = ';';

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

// The number the digits at `at` spell, or -1 when one of them is no digit.
int numberAt(std::string_view text, std::size_t at, std::size_t digits)
{
    int number = 0;
    for (std::size_t index = at; index < at + digits; ++index) {
        if (!isDigit(text[index]))
            return -1;
        number = number * 10 + (text[index] - '0');
    }
    return number;
}

int daysInMonth(int year, int month)
{
    constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leapYear = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leapYear ? 29 : Days[month - 1];
}

// -1 for anything but YYYY-MM and YYYY-MM-DD with a month and a day that exist.
std::int32_t parsedDate(std::string_view date)
{
    if ((date.size() != 7 && date.size() != 10) || date[4] != '-')
        return -1;
    const int year = numberAt(date, 0, 4);
    const int month = numberAt(date, 5, 2);
    if (year < 0 || month < 1 || month > 12)
        return -1;
    int day = 0;
    if (date.size() == 10) {
        day = date[7] == '-' ? numberAt(date, 8, 2) : -1;
        if (day < 1 || day > daysInMonth(year, month))
            return -1;
    }
    return year * 10000 + month * 100 + day;
}

} // namespace

std::int32_t dateOrder(std::string_view date)
{
    return date.empty() ? 0 : parsedDate(date);
}

RowFault readImportRow(std::string_view line, ImportRow& row)
{
    // A separator that ends the row adds no field: "CALL;MANAGER;DATE;" is three.
    if (line.size() > 1 && line.back() == FieldSeparator)
        line.remove_suffix(1);
    constexpr std::size_t MostFields = 4;
    std::string_view fields[MostFields];
    std::size_t count = 0;
    for (;;) {
        const std::size_t separator = line.find(FieldSeparator);
        if (count == MostFields)
            return RowFault::NotThreeFields;
        fields[count++] = trimmed(line.substr(0, separator), Blanks::SpacesAndTabs);
        if (separator == std::string_view::npos)
            break;
        line.remove_prefix(separator + 1);
    }
    row = {fields[0], fields[1], fields[2], fields[3], 0};
    if (count < 2)
        return RowFault::NotThreeFields;
    if (!callshape::isWellFormedCall(row.call))
        return RowFault::CallNotACall;
    if (!callshape::isWellFormedCall(row.manager))
        return RowFault::ManagerNotACall;
    row.dateOrder = dateOrder(row.date);
    if (row.dateOrder < 0)
        return RowFault::DateNotADate;
    return RowFault::None;
}

bool isHeaderRow(const ImportRow& row)
{
    return std::none_of(row.call.begin(), row.call.end(), isDigit) &&
           std::none_of(row.manager.begin(), row.manager.end(), isDigit);
}

std::string rowFaultMessage(RowFault fault, const ImportRow& row)
{
    const std::string notImported = "; the row is not imported.";
    switch (fault) {
    case RowFault::NotThreeFields: return "Failure: the row is not CALL;MANAGER;DATE" + notImported;
    case RowFault::CallNotACall: return "Failure: the call " + std::string(row.call) + " is not a call" + notImported;
    case RowFault::ManagerNotACall:
        return "Failure: the manager " + std::string(row.manager) + " is not a call" + notImported;
    case RowFault::DateNotADate:
        return "Failure: the date " + std::string(row.date) + " is not YYYY-MM or YYYY-MM-DD" + notImported;
    case RowFault::None: break;
    }
    return {};
}

} // namespace borvelin
