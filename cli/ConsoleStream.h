// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

namespace borvelin::cli {

// Makes `stream`, which writes to standard error, show UTF-8 text as it is meant on a
// Windows console, which takes bytes in its own code page; does nothing elsewhere, and
// nothing when standard error is a file or a pipe, which get the UTF-8 bytes.
void showUtf8OnConsole(std::ostream& stream);

} // namespace borvelin::cli
