// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a command once and prints its wall time and peak memory:
//   borvelin-timeit [--stdout FILE] -- COMMAND [ARGS...]
// prints "NANOSECONDS MAXRSS_KIB". With --stdout the command's standard output goes to
// FILE (created or truncated, as a shell's ">" does), so that `cat QSL.TXT > copy` can
// be timed without a shell in between. The command's standard error is discarded.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int usage()
{
    std::fputs("usage: borvelin-timeit [--stdout FILE] -- COMMAND [ARGS...]\n", stderr);
    return 2;
}

[[noreturn]] void runChild(const char* stdoutFile, char** command)
{
    if (stdoutFile) {
        const int out = ::open(stdoutFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0)
            ::_exit(126);
        ::close(out);
    }
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0)
        ::dup2(null, STDERR_FILENO);
    ::execvp(command[0], command);
    ::_exit(127);
}

} // namespace

int main(int argc, char** argv)
{
    const char* stdoutFile = nullptr;
    int first = 1;
    if (first + 1 < argc && std::strcmp(argv[first], "--stdout") == 0) {
        stdoutFile = argv[first + 1];
        first += 2;
    }
    if (first >= argc || std::strcmp(argv[first], "--") != 0 || first + 1 >= argc)
        return usage();
    char** command = argv + first + 1;

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child < 0)
        return 1;
    if (child == 0)
        runChild(stdoutFile, command);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child)
        return 1;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "borvelin-timeit: %s failed\n", command[0]);
        return 1;
    }
    std::printf("%lld %ld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()),
                usage.ru_maxrss);
    return 0;
}
