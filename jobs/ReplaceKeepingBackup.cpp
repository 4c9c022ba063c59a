// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ReplaceKeepingBackup.h"

#include "jobs/DiskSync.h"
#include "jobs/FileHandle.h"
#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/TemporaryFile.h"

#include <cerrno>
#include <system_error>

namespace borvelin {

namespace fs = std::filesystem;

namespace {

// A copy stands in for a hard link, so it must be on the disk before the original goes.
void syncCopy(const fs::path& copy, const std::string& backupName)
{
    errno = 0;
    FileHandle file(openFile(pathText(copy), "r+b"));
    const bool synced = file && syncToDisk(file.get());
    const int syncError = errno;
    if (!synced || !closeFile(file)) {
        std::error_code ignored;
        fs::remove(copy, ignored);
        throw JobError::fromErrno(syncError != 0 ? syncError : EIO, backupName);
    }
}

// A second name for `original` beside `backup`: a hard link where the file system has
// them, else a copy. Either way the bytes stay reachable once `original`'s name is reused.
fs::path keepUnderTemporaryName(const fs::path& original, const fs::path& backup, const std::string& backupName)
{
    TemporaryNames names(backup);
    for (int attempt = 0; attempt < TemporaryNames::MostAttempts; ++attempt) {
        fs::path candidate = names.next();
        std::error_code ec;
        fs::create_hard_link(original, candidate, ec);
        if (!ec)
            return candidate;
        if (ec == std::errc::file_exists)
            continue;
        // FAT has no hard links, and a target reached through a link may lie on another disk.
        if (fs::copy_file(original, candidate, ec)) {
            syncCopy(candidate, backupName);
            return candidate;
        }
        if (ec == std::errc::file_exists)
            continue;
        std::error_code ignored;
        fs::remove(candidate, ignored);
        throw JobError::fromErrno(ec.value(), backupName);
    }
    throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (no free temporary name)", backupName);
}

} // namespace

// The order keeps a whole target in place at every moment, and makes every step that can
// fail either invisible or undoable:
// 1. The old target gets a second, temporary name beside the backup. Nothing the user
//    sees has changed; a failure removes that name again.
// 2. The new file is renamed over the target: one atomic step, after which the target is
//    the new file. A failure leaves the target (and the backup) as they were.
// 3. The temporary name is renamed over the backup: again atomic, so the backup is the
//    older one or the old target, never missing or half written. A failure renames the
//    temporary name back over the target, which puts the old target back as it was.
void replaceKeepingBackup(const fs::path& newFile, const fs::path& target, const fs::path& backup,
                          const std::string& targetName, const std::string& backupName)
{
    std::error_code ec;
    if (!fs::exists(target, ec)) {
        fs::rename(newFile, target, ec);
        if (ec)
            throw JobError::fromErrno(ec.value(), targetName);
        return;
    }
    const fs::path oldTarget = keepUnderTemporaryName(target, backup, backupName);
    fs::rename(newFile, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(oldTarget, ignored);
        throw JobError::fromErrno(ec.value(), targetName);
    }
    fs::rename(oldTarget, backup, ec);
    if (ec) {
        std::error_code undo;
        fs::rename(oldTarget, target, undo);
        // Should even that fail, the old list is still there under its temporary name.
        throw JobError::fromErrno(ec.value(), undo ? pathText(oldTarget) : backupName);
    }
    // When the backup already was the old target (a second name of the same file, as
    // when another run kept it a moment ago), the rename does nothing and leaves the
    // temporary name, which is no longer needed.
    fs::remove(oldTarget, ec);
}

} // namespace borvelin
