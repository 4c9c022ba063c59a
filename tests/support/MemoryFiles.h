// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStore.h"
#include "jobs/JobError.h"
#include "jobs/JobFiles.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace borvelin::test {

// A job's files in memory: inputs are given as bytes (lines end in LF, CR LF or CR),
// outputs appear as bytes (every line ending in CR LF) when the job commits them.
// An output can be made to fail, to see what a job leaves behind; so can a rename of the
// commit, and a kill can stop everything at one.
class MemoryFiles : public JobFiles, public FileStore {
public:
    // What a kill leaves: the program stops where it is, and nothing changes any more.
    struct Killed {};

    std::unique_ptr<LineSource> openInput(const std::string& name) override;
    std::unique_ptr<ByteSource> openBytes(const std::string& name) override;
    std::unique_ptr<LineSink> createOutput(const std::string& name, OutputWrites writes) override;
    FileStore& store() override { return *this; }

    // The output `name` fails with `error` once it holds `lines` lines; with 0 lines,
    // already when it is created.
    void failOutput(const std::string& name, std::size_t lines, ErrorNumber error = ErrorNumber::DiskFull);
    // The `count`th rename from now fails with `error`, once.
    void failRename(int count, ErrorNumber error = ErrorNumber::DeviceIo);
    // The `count`th rename from now does not happen: the program is killed there and
    // throws Killed; nothing changes after it until restart().
    void killAtRename(int count);
    // A new program in the folder, which finds the files as the killed one left them.
    void restart() { killed_ = false; }
    // How many renames there were so far.
    int renames() const { return renames_; }
    // The files but the program's own hidden ones (temporary files, the journal).
    std::map<std::string, std::string> visibleFiles() const;

    std::map<std::string, std::string> files;
    int folderSyncs = 0; // each a sync of the one folder
    // Called each time an input is opened, with its name and how often it was opened so
    // far: a test changes the file there, as another program could.
    std::function<void(const std::string& name, int opened)> afterOpen;

    // The store's side.
    std::string folderName() const override { return "memory"; }
    std::unique_ptr<FolderLock> lockFolder(StatusSink&, LockWait) override { return nullptr; }
    FileStamp stampOf(const std::string& name) override;
    std::vector<std::string> namesBeside(const std::string& name) override;
    void rename(const std::string& from, const std::string& to, const std::string& errorName) override;
    std::string keepUnderTemporaryName(const std::string& original, const std::string& beside,
                                       const std::string& errorName) override;
    void remove(const std::string& name) noexcept override;
    void appendFrom(const std::string& log, std::uint64_t size, const std::string& entries,
                    const std::string& errorName) override;
    void cutBack(const std::string& log, std::uint64_t size) noexcept override;
    void syncFile(const std::string&, const std::string&) override { stopIfKilled(); }
    void syncFolderOf(const std::string&) override { ++folderSyncs; }
    void writeWhole(const std::string& name, const std::string& bytes) override;
    std::optional<std::string> readWhole(const std::string& name) override;

    // A temporary name of the program's own beside `name`.
    std::string temporaryNameFor(const std::string& name);
    void write(const std::string& name, std::string bytes);

private:
    struct Failure {
        std::size_t lines;
        ErrorNumber error;
    };
    void stopIfKilled() const;

    std::map<std::string, Failure> failures_;
    std::map<std::string, int> opened_;
    std::map<std::string, std::int64_t> changed_;
    std::int64_t clock_ = 0;
    int renames_ = 0;
    int failingRename_ = 0;
    ErrorNumber renameError_ = ErrorNumber::DeviceIo;
    int killingRename_ = 0;
    bool killed_ = false;
    int temporaries_ = 0;
};

} // namespace borvelin::test
