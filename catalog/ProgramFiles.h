// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

namespace borvelin {

// The files the commands read and write in the working folder, each once, in the order
// the window's report lists them: the list, the list it replaced and its FUL form, the
// outputs, the failure log. A file that order does not know comes last.
std::vector<std::string_view> programFiles();

} // namespace borvelin
