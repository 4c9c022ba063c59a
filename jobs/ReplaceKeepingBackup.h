// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace borvelin {

// Puts `newFile`, complete and already on the disk, in the place of `target` and keeps
// what `target` held as `backup`, replacing an older backup: one generation. Without a
// `target` there is nothing to keep and `backup` stays as it is. When it fails, `target`
// and `backup` are as they were; `newFile` is then the caller's to remove.
// `targetName` and `backupName` are the names the errors give.
void replaceKeepingBackup(const std::filesystem::path& newFile, const std::filesystem::path& target,
                          const std::filesystem::path& backup, const std::string& targetName,
                          const std::string& backupName);

} // namespace borvelin
