// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace borvelin {

// A request to stop the running job: Ctrl+C in the command-line companion, Cancel, Esc
// or the close box in the window. The job stops before its next line, or before it puts
// its outputs in place, with JobError 18, and leaves every file as it was. Safe to call
// from a signal handler and from another thread than the job's.
void requestStop() noexcept;
bool stopRequested() noexcept;
// Forgets an earlier request, before the next job starts.
void clearStopRequest() noexcept;
// Throws the error a stopped job ends with, when a stop was requested.
void stopIfRequested();

} // namespace borvelin
