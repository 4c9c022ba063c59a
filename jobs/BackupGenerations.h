// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStore.h"

#include <string>
#include <vector>

namespace borvelin {

// The backups of a master file (QSL.TXT, a log): the newest under its backup's own name
// (QSL.BAK), the older ones beside it under that name with the time their bytes were
// last changed, "QSL.20250102-101112.BAK", oldest first by that time. A later run never
// writes into an older backup; the oldest go only when more than olderBackupsKept() are
// there.
namespace backups {

constexpr int DefaultOlderKept = 10;

// How many older backups are kept besides the newest: a setting of the program, 10
// unless the user chose otherwise; 0 keeps the newest only.
int olderKept();
void setOlderKept(int count);

// A free name for the older backup that `backup` becomes, from the time of its last change.
std::string nameForOlder(FileStore& store, const std::string& backup);
// The older backups of `backup` that are there, oldest first; names as `backup` gives
// its folder.
std::vector<std::string> olderOf(FileStore& store, const std::string& backup);
// Removes the oldest beyond olderKept().
void removeBeyondKept(FileStore& store, const std::string& backup);

} // namespace backups

} // namespace borvelin
