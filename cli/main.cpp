// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"
#include "jobs/StopRequest.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
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

void stopJobsOnSignals()
{
    std::signal(SIGINT, stopOnSignal);
    std::signal(SIGTERM, stopOnSignal);
#ifdef SIGHUP
    std::signal(SIGHUP, stopOnSignal);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    stopJobsOnSignals();
    std::setlocale(LC_TIME, ""); // the failure log's dates as the user writes them
    const bool errIsTerminal = isatty(fileno(stderr)) != 0;
    const int status = borvelin::cli::run(argc, argv, std::cin, std::cout, std::cerr, errIsTerminal);
    // Stopped by a signal, the program exits as the shell expects: 128 and its number.
    return caughtSignal != 0 ? 128 + caughtSignal : status;
}
