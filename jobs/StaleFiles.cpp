// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/StaleFiles.h"

#include "jobs/CommitJournal.h"
#include "jobs/TemporaryFile.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace borvelin {

bool processIsGone(std::uint64_t processId)
{
#ifdef _WIN32
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
#else
    return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
#endif
}

void removeStaleTemporaries(FileStore& store)
{
    const std::uint64_t self = currentProcessId();
    for (const std::string& name : store.namesBeside(CommitJournal::FileName)) {
        const auto owner = ownerOfTemporary(name);
        if (owner && *owner != self && processIsGone(*owner))
            store.remove(name);
    }
}

} // namespace borvelin
