// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryEntry.h"
#include "history/SourceNames.h"

#include <cstdint>
#include <span>
#include <string>

namespace borvelin {

// The manager in force in a QSO's month, by the lines of one call's history, sorted by
// date (historyOrder). Months count, not days: a line of 2015-03-20 holds for a QSO on
// 2015-03-01.
//
// - From the month of the newest line on, the list's route holds: the list may have been
//   mended since the import.
// - Before it, the newest month on or before the QSO's month holds (Dated).
// - Before every line, the earliest month holds (Earlier): a list's date is often when a
//   route was published, not when it began.
// - A month that holds with two managers holds none (Conflict).
struct ManagerInForce {
    enum class Kind { ListHolds, Dated, Earlier, Conflict };
    Kind kind = Kind::ListHolds;
    // The lines of the month that holds; none when the list holds.
    std::span<const HistoryEntry> month;
};

ManagerInForce managerInForce(std::span<const HistoryEntry> lines, std::int32_t qsoMonth);

// Whether the lines of one month name two managers or more.
bool namesTwoManagers(std::span<const HistoryEntry> monthLines);

// The lines of the month that begins at `first`, from `first` on.
std::span<const HistoryEntry> monthFrom(std::span<const HistoryEntry> lines, std::size_t first);

// Each manager of a month's lines once, in the order of the lines, with its sources:
// "Q2MGR (LISTA.CSV) and Q3MGR (LISTB.CSV, LISTC.CSV)".
std::string managersWithSources(std::span<const HistoryEntry> monthLines, const SourceNames& sources);

} // namespace borvelin
