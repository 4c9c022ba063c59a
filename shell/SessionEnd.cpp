// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SessionEnd.h"

#include "jobs/StopRequest.h"
#include "shell/JobRunner.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

#ifndef _WIN32
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
// The handler writes the signal's number here; the window reads it on its own thread.
int signalPipe[2] = {-1, -1};

extern "C" void passSignalOn(int signalNumber)
{
    borvelin::requestStop(); // the job stops at its next line, whatever the window does meanwhile
    const auto number = static_cast<unsigned char>(signalNumber);
    const int savedErrno = errno;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &number, 1);
    errno = savedErrno;
}
#endif

} // namespace

SessionEnd::SessionEnd(Handler endSession) : QObject(QCoreApplication::instance()), endSession_(std::move(endSession))
{
#ifndef _WIN32
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::signalArrived);
    struct sigaction action {};
    action.sa_handler = passSignalOn;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signalNumber, &action, nullptr);
    action.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &action, nullptr);
    sigaction(SIGPIPE, &action, nullptr);
#endif
#if QT_CONFIG(sessionmanager)
    // Windows ends the program soon after the session ends: the job is stopped and its
    // files are cleaned up before the program says it is ready.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        JobRunner::stopRunningJobAndWait();
        endSession_(0);
    });
#endif
}

void SessionEnd::watch(Handler endSession)
{
    new SessionEnd(std::move(endSession)); // owned by the application
}

void SessionEnd::signalArrived()
{
#ifndef _WIN32
    unsigned char number = 0;
    if (::read(signalPipe[0], &number, 1) == 1)
        endSession_(128 + number);
#endif
}
