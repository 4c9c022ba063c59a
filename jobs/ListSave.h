// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobFiles.h"
#include "jobs/KeptBackup.h"
#include "jobs/LineSink.h"
#include "jobs/StatusSink.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace borvelin {

// Saving the manager list, for every program part that changes it as a whole: QSL.TXT
// written beside itself and put in place in one commit under the folder's lock; the
// list it replaces kept as QSL.BAK, and the backup before as an older one.
namespace listfile {

constexpr const char* ListName = "QSL.TXT";
constexpr const char* BackupName = "QSL.BAK";

struct Saved {
    std::uint64_t lines = 0;
    // Where the list that was replaced went; nothing when there was no list.
    std::optional<KeptBackup> kept;
};

// QSL.TXT becomes the lines `writeLines` writes to the sink. Fails with JobError; every
// file is then as it was.
Saved save(const std::function<void(LineSink&)>& writeLines, StatusSink& status, JobFiles& files = diskFiles());

// Undo: the list kept as QSL.BAK becomes QSL.TXT again, byte for byte, and the list it
// replaces becomes QSL.BAK, kept as any replaced list is. JobError 53 without a QSL.BAK.
Saved restoreBackup(StatusSink& status, JobFiles& files = diskFiles());

// Undo of a command that replaced several files (an import replaces the list and the
// route history): each target of `kept` gets its backup's bytes back, and the file it
// replaces becomes that backup, all in one commit. What the restore kept, in that order.
std::vector<KeptBackup> restoreBackups(const std::vector<KeptBackup>& kept, StatusSink& status,
                                       JobFiles& files = diskFiles());

} // namespace listfile

} // namespace borvelin
