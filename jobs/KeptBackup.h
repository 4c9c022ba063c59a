// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace borvelin {

// Where the bytes a job replaced went: `target`'s old bytes became `backup`, and the
// backup before them became `older` (empty when there was no backup before).
struct KeptBackup {
    std::string target;
    std::string backup;
    std::string older;
};

} // namespace borvelin
