// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/ShortCall.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

// The route history, QSLHIST.CSV: one line per distinct call, manager, date and source,
// CALL;MANAGER;DATE;SOURCE, sorted by call (in byte order), then date, then manager.
// Import writes it; the fill, lookup and Check List read the lines they need.
namespace historyfile {
constexpr const char* FileName = "QSLHIST.CSV";
constexpr const char* BackupName = "QSLHIST.BAK";
// The first line of an exported history; import passes over it as a header.
constexpr std::string_view Header = "CALL;MANAGER;DATE;SOURCE";
} // namespace historyfile

// One line of the history in 40 bytes: a history may have millions.
struct HistoryEntry {
    ShortCall call;
    ShortCall manager;
    std::int32_t date = 0;    // dateOrder: YYYYMMDD, day 0 for a month alone, 0 for none
    std::uint32_t source = 0; // its number in the history's SourceNames
};

// The month of a date, YYYYMM; 0 for no date, before every month.
constexpr std::int32_t monthOf(std::int32_t date)
{
    return date / 100;
}

// Room for a date's text.
using DateText = std::array<char, 10>;
// The date as it was read: "2012-05", "2012-05-10", or "" for none.
std::string_view dateText(std::int32_t date, DateText& text);
// A month for the user: "in 2012-05", or "without a date" for month 0.
std::string monthPhrase(std::int32_t month);

// The history's order within one source: call, date, manager.
inline bool historyOrder(const HistoryEntry& a, const HistoryEntry& b)
{
    if (!(a.call == b.call))
        return a.call < b.call;
    if (a.date != b.date)
        return a.date < b.date;
    return a.manager < b.manager;
}

} // namespace borvelin
