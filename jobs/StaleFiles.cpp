// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/StaleFiles.h"

#include "jobs/CommitJournal.h"
#include "jobs/TemporaryFile.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fstream>
#include <string>
#endif

namespace borvelin {

namespace {

#ifndef _WIN32
// A process that has ended but whose parent has not yet reaped it holds no file any more.
bool isZombie(std::uint64_t processId)
{
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    std::string text;
    std::getline(stat, text);
    const std::size_t nameEnd = text.rfind(')');
    return nameEnd != std::string::npos && nameEnd + 2 < text.size() && text[nameEnd + 2] == 'Z';
}
#endif

} // namespace

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
    if (::kill(static_cast<pid_t>(processId), 0) != 0)
        return errno == ESRCH;
    return isZombie(processId);
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
