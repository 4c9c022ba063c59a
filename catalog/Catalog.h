// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/Command.h"

#include <span>
#include <string_view>
#include <vector>

namespace borvelin {

// Every command of the program, one row each, in the order --help lists them. The
// command line, the File menu, the window's report of the files and the man page's test
// are built from it: adding a command is adding its row.
std::span<const Command> commands();

// The command named `id` on the command line, or nullptr.
const Command* findCommand(std::string_view id);
// The same for a command that must be there; fails with std::out_of_range otherwise.
const Command& commandNamed(std::string_view id);

// The commands with an item in the File menu, from the top.
std::vector<const Command*> fileMenuCommands();

} // namespace borvelin
