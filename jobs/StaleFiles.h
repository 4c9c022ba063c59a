// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStore.h"

#include <cstdint>

namespace borvelin {

// Whether no process with this id runs any more on this machine.
bool processIsGone(std::uint64_t processId);

// Removes the program's own temporary files in the store's folder whose process is gone:
// what a run killed part-way left behind.
void removeStaleTemporaries(FileStore& store);

} // namespace borvelin
