// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStore.h"

#include <filesystem>

namespace borvelin {

// The files of one folder on the disk: the current directory unless another is given.
class DiskStore final : public FileStore {
public:
    explicit DiskStore(std::filesystem::path folder = {});

    std::string folderName() const override;
    std::unique_ptr<FolderLock> lockFolder(StatusSink& status, LockWait wait) override;
    FileStamp stampOf(const std::string& name) override;
    std::vector<std::string> namesBeside(const std::string& name) override;
    void rename(const std::string& from, const std::string& to, const std::string& errorName) override;
    std::string keepUnderTemporaryName(const std::string& original, const std::string& beside,
                                       const std::string& errorName) override;
    void remove(const std::string& name) noexcept override;
    void appendFrom(const std::string& log, std::uint64_t size, const std::string& entries,
                    const std::string& errorName) override;
    void cutBack(const std::string& log, std::uint64_t size) noexcept override;
    void syncFile(const std::string& name, const std::string& errorName) override;
    void syncFolderOf(const std::string& name) override;
    void writeWhole(const std::string& name, const std::string& bytes) override;
    std::optional<std::string> readWhole(const std::string& name) override;

private:
    std::filesystem::path pathOf(const std::string& name) const;

    std::filesystem::path folder_;
};

// The store of the process's current directory.
FileStore& diskStore();

} // namespace borvelin
