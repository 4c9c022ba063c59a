// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ReplaceKeepingBackup.h"

#include "jobs/CommitSet.h"
#include "jobs/DiskStore.h"
#include "jobs/FilePath.h"

namespace borvelin {

std::optional<KeptBackup> replaceKeepingBackup(const std::filesystem::path& newFile,
                                               const std::filesystem::path& target, const std::filesystem::path& backup,
                                               const std::string& targetName, const std::string& backupName)
{
    CommitSet set(diskStore());
    set.replaceKeepingBackup(pathText(target), pathText(newFile), pathText(backup), targetName, backupName);
    set.commit();
    if (set.kept().empty())
        return std::nullopt;
    return set.kept().front();
}

} // namespace borvelin
