// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>

namespace borvelin::cli {

// borvelin-cli [-C DIR] COMMAND...: runs the File conversions in the order given;
// "lookup" takes the arguments after it as calls, or reads them from `in`.
// Returns the process's exit status.
int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err, bool errIsTerminal);
// The same, with the calls of a lookup read from standard input.
int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool errIsTerminal);
// The reader of an output has gone: the command that stops for it fails without a
// word. Safe to call from a signal handler.
void outputClosed() noexcept;

} // namespace borvelin::cli
