// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/FolderLock.h"

#include "jobs/JobError.h"
#include "jobs/StopRequest.h"

#include <cerrno>
#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace borvelin {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds RetryInterval{100};

[[noreturn]] void failBusy(const std::string& folderName)
{
    throw JobError(ErrorNumber::PermissionDenied,
                   "Permission denied (another BORVELIN command is writing in this folder)", folderName);
}

// Says once that the command waits, and whether it may wait longer.
class Waiting {
public:
    Waiting(StatusSink& status, const std::string& folderName, LockWait wait)
        : status_(status), folderName_(folderName), wait_(wait)
    {
    }

    // False when the caller does not wait.
    bool waitOrFail()
    {
        if (wait_ == LockWait::DoNotWait)
            return false;
        stopIfRequested();
        if (Clock::now() >= deadline_)
            failBusy(folderName_);
        if (!told_)
            status_.setPanelText(ProgressPanel, "Waiting: another BORVELIN command is writing in " + folderName_);
        told_ = true;
        std::this_thread::sleep_for(RetryInterval);
        return true;
    }

private:
    StatusSink& status_;
    const std::string& folderName_;
    LockWait wait_;
    Clock::time_point deadline_ = Clock::now() + std::chrono::seconds(FolderLock::WaitSeconds);
    bool told_ = false;
};

#ifdef _WIN32

class WindowsLock final : public FolderLock {
public:
    explicit WindowsLock(HANDLE file) : file_(file) {}
    ~WindowsLock() override
    {
        OVERLAPPED whole{};
        UnlockFileEx(file_, 0, 1, 0, &whole);
        CloseHandle(file_); // the last handle: the file goes
    }

private:
    HANDLE file_;
};

std::unique_ptr<FolderLock> takeLock(const fs::path& path, const std::string& folderName, StatusSink& status,
                                     LockWait wait)
{
    Waiting waiting(status, folderName, wait);
    for (int denied = 0;;) {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            // Denied: a folder that takes no file, or a lock file that is going away.
            if ((error == ERROR_ACCESS_DENIED && ++denied > 10) || error == ERROR_WRITE_PROTECT ||
                !waiting.waitOrFail())
                return nullptr;
            continue;
        }
        OVERLAPPED whole{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole))
            return std::make_unique<WindowsLock>(file);
        CloseHandle(file);
        if (!waiting.waitOrFail())
            return nullptr;
    }
}

#else

class PosixLock final : public FolderLock {
public:
    PosixLock(int descriptor, fs::path path) : descriptor_(descriptor), path_(std::move(path)) {}
    // The file goes before the lock: a program that opened it meanwhile finds, once it
    // has the lock, that the name is no longer its file, and tries again.
    ~PosixLock() override
    {
        ::unlink(path_.c_str());
        ::close(descriptor_);
    }

private:
    int descriptor_;
    fs::path path_;
};

bool stillNamedBy(int descriptor, const fs::path& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(descriptor, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

std::unique_ptr<FolderLock> takeLock(const fs::path& path, const std::string& folderName, StatusSink& status,
                                     LockWait wait)
{
    Waiting waiting(status, folderName, wait);
    for (;;) {
        const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (descriptor < 0) {
            if (errno == EACCES || errno == EROFS || errno == EPERM)
                return nullptr;
            if (errno == EINTR && waiting.waitOrFail())
                continue;
            throw JobError::fromErrno(errno, folderName);
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            if (stillNamedBy(descriptor, path))
                return std::make_unique<PosixLock>(descriptor, path);
            ::close(descriptor);
            continue;
        }
        const int lockError = errno;
        ::close(descriptor);
        if (lockError != EWOULDBLOCK && lockError != EINTR) { // a file system without locks
            ::unlink(path.c_str());
            return nullptr;
        }
        if (!waiting.waitOrFail())
            return nullptr;
    }
}

#endif

} // namespace

std::unique_ptr<FolderLock> lockFolderOnDisk(const fs::path& folder, const std::string& folderName, StatusSink& status,
                                             LockWait wait)
{
    const fs::path path = folder.empty() ? fs::path(FolderLock::FileName) : folder / FolderLock::FileName;
    return takeLock(path, folderName, status, wait);
}

} // namespace borvelin
