// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace borvelin::cli {

// The program's arguments in the core's form, UTF-8. On Windows they are read as UTF-16
// from the command line itself: main's argv holds them in the ANSI code page, which
// turns a folder named in another script into question marks.
std::vector<std::string> utf8Arguments(int argc, char** argv);

} // namespace borvelin::cli
