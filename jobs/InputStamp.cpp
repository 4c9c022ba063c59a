// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/InputStamp.h"

#include "jobs/JobError.h"

#include <cerrno>

namespace borvelin {

FileStamp stampOfInputReadTwice(FileStore& store, const std::string& name)
{
    const FileStamp stamp = store.stampOf(name);
    switch (stamp.kind) {
    case FileStamp::Kind::Regular: return stamp;
    case FileStamp::Kind::Missing: throw JobError::fromErrno(ENOENT, name);
    case FileStamp::Kind::Directory: throw JobError::fromErrno(EISDIR, name);
    default: throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (not a regular file)", name);
    }
}

void requireUnchangedInput(FileStore& store, const std::string& name, const FileStamp& before)
{
    if (store.stampOf(name) != before)
        throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (changed while it was read)", name);
}

} // namespace borvelin
