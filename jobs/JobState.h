// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace borvelin {

// What the last job left behind; the next job overwrites it. The window and the
// command-line companion each hold one for as long as they run.
struct JobState {
    std::string InFileName;  // bare name, no directory
    std::string OutFileName; // bare name, no directory
    std::string CurrentDir;  // shown in the status bar only; files are opened by bare name
    std::uint64_t RecCount = 0;
};

} // namespace borvelin
