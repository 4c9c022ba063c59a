// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace borvelin::faults {

// An account the companion can run as. Root reads and writes any file whatever its
// mode, so the checks on file modes run it as an unprivileged user.
struct RunAs {
    uid_t uid;
    gid_t gid;
};

// Who to run as for the file-mode checks: the test's own user when that is not root,
// else "nobody"; none when root has no such account to change to.
std::optional<RunAs> unprivilegedUser();
// Gives the tree to `user`, so that only the modes decide what it may do there.
void handOver(const std::filesystem::path& tree, const RunAs& user);

struct CliOptions {
    static CliOptions runningAs(const RunAs& user)
    {
        CliOptions options;
        options.user = user;
        return options;
    }
    static CliOptions limitingFileSize(unsigned long bytes)
    {
        CliOptions options;
        options.fileSizeLimit = bytes;
        return options;
    }

    std::optional<RunAs> user;
    // Files may not grow beyond this many bytes; SIGXFSZ is ignored, so the write fails.
    std::optional<unsigned long> fileSizeLimit;
    // SIGXFSZ left as the shell leaves it, which ends a program that does not ignore it.
    bool fileSizeSignalAsItIs = false;
    // The address space is limited to this many bytes (ulimit -v).
    std::optional<unsigned long> memoryLimit;
    // Standard input reads this file (else /dev/null).
    std::optional<std::filesystem::path> input;
    // Standard output and standard error go to a pipe whose reader has gone.
    bool outputClosed = false;
};

struct CliResult {
    int exitStatus = -1; // 128 + the signal's number when a signal ended it
    std::string errorText;
    long peakMemoryKiB = 0;
    double seconds = 0;
};

// One borvelin-cli process working in `directory` (through -C).
class CliProcess {
public:
    CliProcess(const std::filesystem::path& directory, const std::vector<std::string>& commands,
               const CliOptions& options = {});
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // What it has written to standard error up to now.
    std::string errorTextSoFar() const;
    void sendSignal(int signalNumber) const;
    // Waits for the end; a process still running after the time limit is killed and
    // reported as a hang.
    CliResult wait();

    static constexpr int TimeLimitSeconds = 120;

private:
    pid_t pid_ = -1;
    std::filesystem::path errorFile_;
    double startSeconds_ = 0;
};

CliResult runCli(const std::filesystem::path& directory, const std::vector<std::string>& commands,
                 const CliOptions& options = {});

} // namespace borvelin::faults
