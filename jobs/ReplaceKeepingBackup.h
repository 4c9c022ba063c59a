// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/KeptBackup.h"

#include <filesystem>
#include <optional>
#include <string>

namespace borvelin {

// Puts `newFile`, complete, in the place of `target` and keeps what `target` held as
// `backup`, whose own bytes become an older backup (BackupGenerations.h): one commit of
// a set (CommitSet), on the disk. Without a `target` there is nothing to keep and `backup`
// stays as it is. When it fails, every file is as it was and `newFile` is the caller's
// to remove. `targetName` and `backupName` are the names the errors give. Returns where
// the old bytes went, when there were any.
std::optional<KeptBackup> replaceKeepingBackup(const std::filesystem::path& newFile,
                                               const std::filesystem::path& target, const std::filesystem::path& backup,
                                               const std::string& targetName, const std::string& backupName);

} // namespace borvelin
