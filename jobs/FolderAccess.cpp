// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/FolderAccess.h"

#include "jobs/CommitJournal.h"
#include "jobs/JobError.h"
#include "jobs/StaleFiles.h"

namespace borvelin {

std::unique_ptr<FolderLock> beginWriting(FileStore& store, StatusSink& status)
{
    auto lock = store.lockFolder(status);
    completeInterruptedCommit(store);
    removeStaleTemporaries(store);
    return lock;
}

void beginReading(FileStore& store, StatusSink& status)
{
    if (store.exists(CommitJournal::FileName)) {
        // A folder the user may not write in, or a writer that keeps the lock, leaves the
        // set as it is: the list is read as it stands.
        try {
            const auto lock = store.lockFolder(status);
            completeInterruptedCommit(store);
        } catch (const JobError& error) {
            if (error.number() == static_cast<int>(ErrorNumber::UserInterrupt))
                throw;
        }
    } else if (store.exists(FolderLock::FileName)) {
        // The lock of a writer killed part-way goes, unless a writer holds it now.
        const auto lock = store.lockFolder(status, LockWait::DoNotWait);
    }
    removeStaleTemporaries(store);
}

} // namespace borvelin
