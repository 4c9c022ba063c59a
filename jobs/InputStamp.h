// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStamp.h"
#include "jobs/FileStore.h"

#include <string>

namespace borvelin {

// The stamp of an input that a job reads twice, which only a regular file can be: fails
// with JobError 53 when it is missing, 75 for a FIFO, a device or a directory.
FileStamp stampOfInputReadTwice(FileStore& store, const std::string& name);

// Fails with JobError 75 naming the file when `name` is no longer the file it was when
// `before` was taken: another file, another size or another time of change.
void requireUnchangedInput(FileStore& store, const std::string& name, const FileStamp& before);

} // namespace borvelin
