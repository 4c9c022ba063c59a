// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

// One row of a CALL;MANAGER;DATE manager list, its fields without the spaces around them.
// A fourth field names the row's source: the route history QSLHIST.CSV has one in every
// line, so that a history can be imported as it is.
struct ImportRow {
    std::string_view call;
    std::string_view manager;
    std::string_view date;
    std::string_view source;    // empty without a fourth field
    std::int32_t dateOrder = 0; // dateOrder(date), once the row is read
};

// Why a row cannot be imported.
enum class RowFault { None, NotThreeFields, CallNotACall, ManagerNotACall, DateNotADate };

// Splits `line` into `row` and checks it: two to four fields (the date and the source
// may be left out), the call and the manager well-formed calls, the date YYYY-MM,
// YYYY-MM-DD or empty.
RowFault readImportRow(std::string_view line, ImportRow& row);

// A list's first row is a header when neither its call nor its manager holds a digit,
// which every call does.
bool isHeaderRow(const ImportRow& row);

// The date as a number that orders the rows: YYYYMMDD, a month alone counting as day 0
// (before every day of that month), no date as 0 (before every date).
std::int32_t dateOrder(std::string_view date);

// The failure log's message for a row that is not imported, naming the reason.
std::string rowFaultMessage(RowFault fault, const ImportRow& row);

} // namespace borvelin
