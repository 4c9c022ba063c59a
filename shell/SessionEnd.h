// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// When the system asks the program to end (SIGTERM at shutdown or logout, SIGHUP from a
// closed terminal, SIGINT from Ctrl+C in the terminal that started it; on Windows, the
// end of the user's session), the running job is stopped at once, so that it cleans up
// after itself, and `endSession` is called on the window's thread with the exit status
// the shell expects (128 and the signal's number). A file that grows past the size limit
// fails its write instead of ending the program (SIGXFSZ is ignored).
class SessionEnd : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(int exitStatus)>;

    // Once, at the program's start; the object lives as long as the application.
    static void watch(Handler endSession);

private:
    explicit SessionEnd(Handler endSession);
    void signalArrived();

    Handler endSession_;
    QSocketNotifier* notifier_ = nullptr;
};
