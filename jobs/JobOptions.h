// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <thread>

namespace borvelin {

// How a job runs, where the program or the user has a say.
struct JobOptions {
    // The threads a job works on its blocks of lines with; 0: as many as the machine has.
    unsigned threads = 0;

    std::size_t workers() const
    {
        const unsigned count = threads != 0 ? threads : std::thread::hardware_concurrency();
        return count == 0 ? 1 : count;
    }
};

} // namespace borvelin
