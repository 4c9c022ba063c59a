// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStamp.h"
#include "jobs/FolderLock.h"
#include "jobs/StatusSink.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace borvelin {

// The operations on a folder's files that putting a job's outputs in place needs: the
// folder's lock, renames, second names, appends and the journal. Names are relative to
// the folder, or full paths. DiskStore works on the disk; the tests work in memory.
// Every operation that changes a file fails with JobError naming `errorName`.
class FileStore {
public:
    virtual ~FileStore() = default;

    // The folder as the user knows it, for errors: its full path.
    virtual std::string folderName() const = 0;
    // Takes the folder's lock, waiting a few seconds for another program that holds it and
    // saying so through `status`; fails with JobError naming the folder. Told not to wait,
    // gives nothing back when another program holds it.
    virtual std::unique_ptr<FolderLock> lockFolder(StatusSink& status, LockWait wait = LockWait::Wait) = 0;

    virtual FileStamp stampOf(const std::string& name) = 0;
    bool exists(const std::string& name) { return stampOf(name).kind != FileStamp::Kind::Missing; }
    // The bare names in the folder that holds `name`.
    virtual std::vector<std::string> namesBeside(const std::string& name) = 0;

    // Renames `from` over `to`, in one step.
    virtual void rename(const std::string& from, const std::string& to, const std::string& errorName) = 0;
    // Gives the bytes of `original` a second, temporary name beside `beside` and returns
    // it: a hard link where the file system has them, else a copy, on the disk.
    virtual std::string keepUnderTemporaryName(const std::string& original, const std::string& beside,
                                               const std::string& errorName) = 0;
    virtual void remove(const std::string& name) noexcept = 0;

    // Cuts `log` back to `size` bytes, appends the bytes of `entries` and puts it on the
    // disk. Cut back to `size` again when that fails.
    virtual void appendFrom(const std::string& log, std::uint64_t size, const std::string& entries,
                            const std::string& errorName) = 0;
    virtual void cutBack(const std::string& log, std::uint64_t size) noexcept = 0;

    // Puts the bytes of `name`, and the names of the folder that holds it, on the disk.
    virtual void syncFile(const std::string& name, const std::string& errorName) = 0;
    virtual void syncFolderOf(const std::string& name) = 0;

    // A small file written whole, on the disk, and put in place in one step.
    virtual void writeWhole(const std::string& name, const std::string& bytes) = 0;
    // A small file's bytes; nothing when it is not there.
    virtual std::optional<std::string> readWhole(const std::string& name) = 0;
};

} // namespace borvelin
