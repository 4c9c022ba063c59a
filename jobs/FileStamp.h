// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace borvelin {

// What a file is at one moment: which file (its device and number, where the system
// tells them), its size and the time of its last change. A file replaced by another, or
// written to, gets another stamp.
struct FileStamp {
    enum class Kind { Missing, Regular, Fifo, Directory, Other };

    Kind kind = Kind::Missing;
    std::uint64_t device = 0;
    std::uint64_t number = 0;
    std::uint64_t size = 0;
    std::int64_t changedNs = 0; // since the epoch

    bool operator==(const FileStamp&) const = default;
};

} // namespace borvelin
