// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/TemporaryFile.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/NewFile.h"

#include <cerrno>

namespace borvelin {

TemporaryNames::TemporaryNames(const std::filesystem::path& target, std::string_view kind)
    : folder_(target.parent_path()), stem_("." + pathText(target.filename()) + std::string(kind) + "."),
      random_(std::random_device{}())
{
}

std::filesystem::path TemporaryNames::next()
{
    const std::string name = stem_ + std::to_string(random_() % 1000000) + ".tmp";
    return folder_.empty() ? nativePath(name) : folder_ / nativePath(name);
}

FileHandle createTemporaryBeside(const std::filesystem::path& target, const std::string& errorName,
                                 std::string& createdName, std::string_view kind)
{
    TemporaryNames names(target, kind);
    for (int attempt = 0; attempt < TemporaryNames::MostAttempts; ++attempt) {
        const std::filesystem::path candidate = names.next();
        errno = 0;
        if (FileHandle file{createNewFile(candidate)}) {
            createdName = pathText(candidate);
            return file;
        }
        if (errno != EEXIST)
            throw JobError::fromLastError(errorName, EACCES);
    }
    throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (no free temporary name)", errorName);
}

} // namespace borvelin
