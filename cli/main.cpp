// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Arguments.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleStream.h"
#include "jobs/StopRequest.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

// The running job stops at its next line and cleans up after itself; a second signal
// ends the program at once.
extern "C" void stopOnSignal(int signalNumber)
{
    std::signal(signalNumber, SIG_DFL);
    caughtSignal = signalNumber;
    borvelin::requestStop();
}

#ifdef _WIN32

void stopJobsOnSignals()
{
    std::signal(SIGINT, stopOnSignal);
    std::signal(SIGTERM, stopOnSignal);
}

#else

// The reader of standard output or standard error has gone (`borvelin-cli list25 | head`):
// the job stops as at Ctrl+C, and the program ends without a word, which nobody could
// read. The handler stays, so that later writes fail instead of ending the program
// before it has cleaned up.
extern "C" void stopOnClosedOutput(int signalNumber)
{
    caughtSignal = signalNumber;
    borvelin::cli::outputClosed();
    borvelin::requestStop();
}

// Without SA_RESTART, a read that waits (lookup's calls on standard input) returns when
// the signal comes, so that the first Ctrl+C ends it too.
void stopJobsOnSignals()
{
    struct sigaction action {};
    action.sa_handler = stopOnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signalNumber, &action, nullptr);
    action.sa_handler = stopOnClosedOutput;
    sigaction(SIGPIPE, &action, nullptr);
    // A file that grows past the size limit (ulimit -f) fails its write, which the job
    // reports as error 61 after cleaning up, instead of ending the program.
    action.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &action, nullptr);
}

#endif

} // namespace

int main(int argc, char** argv)
{
    stopJobsOnSignals();
    std::setlocale(LC_TIME, ""); // the failure log's dates as the user writes them
    const std::vector<std::string> arguments = borvelin::cli::utf8Arguments(argc, argv);
    std::vector<const char*> argumentTexts;
    argumentTexts.reserve(arguments.size());
    for (const std::string& argument : arguments)
        argumentTexts.push_back(argument.c_str());
    borvelin::cli::showUtf8OnConsole(std::cerr);
    const bool errIsTerminal = isatty(fileno(stderr)) != 0;
    const int status = borvelin::cli::run(static_cast<int>(argumentTexts.size()), argumentTexts.data(), std::cin,
                                          std::cout, std::cerr, errIsTerminal);
    // Stopped by a signal, the program exits as the shell expects: 128 and its number.
    // A signal that came when every command had done its work stopped nothing.
    return caughtSignal != 0 && status != 0 ? 128 + caughtSignal : status;
}
