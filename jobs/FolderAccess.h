// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStore.h"
#include "jobs/StatusSink.h"

#include <memory>

namespace borvelin {

// What every command that writes in a folder does first: takes the folder's lock, held
// until the returned object goes; completes a set of outputs that a killed run left
// half in place; removes the temporary files of runs that are gone.
std::unique_ptr<FolderLock> beginWriting(FileStore& store, StatusSink& status);

// The same for a command that only reads (lookup): it needs the lock only for a set left
// half in place, and lets it go at once; it never waits for a writer otherwise.
void beginReading(FileStore& store, StatusSink& status);

} // namespace borvelin
