// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/StatusSink.h"

#include <filesystem>
#include <memory>
#include <string>

namespace borvelin {

// Held while a command writes in a folder, so that two programs never write there at
// once; released when it goes.
class FolderLock {
public:
    // The hidden file in the folder that the lock is taken on; it goes with the lock.
    static constexpr const char* FileName = ".BORVELIN.lock";
    // How long a second writer waits for the first before it gives up.
    static constexpr int WaitSeconds = 5;

    virtual ~FolderLock() = default;
};

// Whether a second writer waits for the first, or gives up at once without an error.
enum class LockWait { Wait, DoNotWait };

// Takes the lock of `folder` (flock on the lock file; LockFileEx on Windows). While
// another program holds it, waits up to WaitSeconds, says so once through the progress
// panel, and stops early at a stop request; then fails with JobError 70 naming
// `folderName`. Told not to wait, it gives nothing back at once instead. A folder where
// no file can be created gets no lock: nothing can be written there, and the job's own
// files say why.
std::unique_ptr<FolderLock> lockFolderOnDisk(const std::filesystem::path& folder, const std::string& folderName,
                                             StatusSink& status, LockWait wait = LockWait::Wait);

} // namespace borvelin
