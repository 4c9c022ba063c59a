// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/CliRunner.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace borvelin::faults {

namespace fs = std::filesystem;

namespace {

// A directory of the test's own that every user may enter: a copy of borvelin-cli
// (the build tree may lie where an unprivileged user cannot reach) and the processes'
// standard error files.
class Scratch {
public:
    Scratch()
    {
        std::string pattern = (fs::temp_directory_path() / "borvelin-faults-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a scratch directory");
        path_ = pattern;
        fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                   fs::perms::others_read | fs::perms::others_exec);
        fs::copy_file(BORVELIN_CLI, cli());
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    fs::path cli() const { return path_ / "borvelin-cli"; }
    fs::path newErrorFile() { return path_ / ("stderr-" + std::to_string(++processes_)); }

private:
    fs::path path_;
    int processes_ = 0;
};

Scratch& scratch()
{
    static Scratch instance;
    return instance;
}

double secondsNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string readText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs in the child between fork and exec: async-signal-safe calls only.
[[noreturn]] void becomeCli(const char* program, char* const* argv, int inFd, int outFd, int errorFd,
                            const CliOptions& options, rlim_t hardFileSizeLimit)
{
    if (dup2(inFd, STDIN_FILENO) < 0 || dup2(outFd, STDOUT_FILENO) < 0 || dup2(errorFd, STDERR_FILENO) < 0)
        _exit(125);
    struct sigaction asTheShellLeavesIt {};
    asTheShellLeavesIt.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &asTheShellLeavesIt, nullptr); // the test program may ignore it
    if (options.fileSizeLimit) {
        struct sigaction ignore {};
        ignore.sa_handler = options.fileSizeSignalAsItIs ? SIG_DFL : SIG_IGN;
        sigaction(SIGXFSZ, &ignore, nullptr); // stays so across exec
        const rlimit limit{static_cast<rlim_t>(*options.fileSizeLimit), hardFileSizeLimit};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(125);
    }
    if (options.memoryLimit) {
        const rlimit limit{static_cast<rlim_t>(*options.memoryLimit), static_cast<rlim_t>(*options.memoryLimit)};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(125);
    }
    if (options.user && geteuid() == 0 && options.user->uid != 0) {
        if (setgroups(0, nullptr) != 0 || setgid(options.user->gid) != 0 || setuid(options.user->uid) != 0)
            _exit(126);
    }
    execv(program, argv);
    _exit(127);
}

} // namespace

std::optional<RunAs> unprivilegedUser()
{
    if (geteuid() != 0)
        return RunAs{geteuid(), getegid()};
    if (const passwd* nobody = getpwnam("nobody"))
        return RunAs{nobody->pw_uid, nobody->pw_gid};
    return std::nullopt;
}

void handOver(const fs::path& tree, const RunAs& user)
{
    if (geteuid() != 0)
        return; // the tree is the user's already
    if (lchown(tree.c_str(), user.uid, user.gid) != 0)
        throw std::runtime_error("cannot hand over " + tree.string());
    for (const auto& entry : fs::recursive_directory_iterator(tree))
        if (lchown(entry.path().c_str(), user.uid, user.gid) != 0)
            throw std::runtime_error("cannot hand over " + entry.path().string());
}

CliProcess::CliProcess(const fs::path& directory, const std::vector<std::string>& commands, const CliOptions& options)
{
    Scratch& place = scratch();
    const std::string program = place.cli().string();
    std::vector<std::string> arguments = {"borvelin-cli", "-C", fs::absolute(directory).string()};
    arguments.insert(arguments.end(), commands.begin(), commands.end());
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    rlimit fileSize{};
    getrlimit(RLIMIT_FSIZE, &fileSize);
    errorFile_ = place.newErrorFile();
    int errorFd = open(errorFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);
    const int inFd = options.input ? open(options.input->c_str(), O_RDONLY | O_CLOEXEC) : nullFd;
    int outFd = nullFd;
    if (options.outputClosed) {
        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0)
            throw std::runtime_error("cannot make a pipe");
        close(pipeFds[0]); // nobody reads: every write fails
        close(errorFd);
        errorFd = pipeFds[1];
        outFd = pipeFds[1];
    }
    if (errorFd < 0 || nullFd < 0 || inFd < 0)
        throw std::runtime_error("cannot prepare the standard streams");
    startSeconds_ = secondsNow();
    pid_ = fork();
    if (pid_ == 0)
        becomeCli(program.c_str(), argv.data(), inFd, outFd, errorFd, options, fileSize.rlim_max);
    close(errorFd);
    close(nullFd);
    if (inFd != nullFd)
        close(inFd);
    if (pid_ < 0)
        throw std::runtime_error("cannot start borvelin-cli");
}

CliProcess::~CliProcess()
{
    if (pid_ > 0)
        wait();
}

std::string CliProcess::errorTextSoFar() const
{
    return readText(errorFile_);
}

void CliProcess::sendSignal(int signalNumber) const
{
    if (pid_ > 0)
        kill(pid_, signalNumber);
}

CliResult CliProcess::wait()
{
    CliResult result;
    int status = 0;
    rusage usage{};
    const double deadline = startSeconds_ + TimeLimitSeconds;
    pid_t ended = 0;
    while ((ended = wait4(pid_, &status, WNOHANG, &usage)) == 0 && secondsNow() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (ended < 0)
        throw std::runtime_error("lost track of borvelin-cli");
    if (ended == 0) {
        kill(pid_, SIGKILL);
        wait4(pid_, &status, 0, &usage);
        result.errorText = "[still running after " + std::to_string(TimeLimitSeconds) + " s: killed]\n";
    }
    pid_ = -1;
    result.seconds = secondsNow() - startSeconds_;
    result.peakMemoryKiB = usage.ru_maxrss;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.errorText += readText(errorFile_);
    return result;
}

CliResult runCli(const fs::path& directory, const std::vector<std::string>& commands, const CliOptions& options)
{
    return CliProcess(directory, commands, options).wait();
}

} // namespace borvelin::faults
