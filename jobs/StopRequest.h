// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace borvelin {

// A request to stop the running job, as a signal handler makes it (Ctrl+C in the
// command-line companion). The job stops before its next line, or before it puts its
// outputs in place, with JobError 18, and leaves every file as it was.
void requestStop() noexcept;
bool stopRequested() noexcept;
// Throws the error a stopped job ends with, when a stop was requested.
void stopIfRequested();

} // namespace borvelin
