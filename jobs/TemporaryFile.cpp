// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/TemporaryFile.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/NewFile.h"

#include <cerrno>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace borvelin {

namespace {

constexpr std::string_view Suffix = ".tmp";
constexpr std::size_t RandomDigits = 6;

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

std::uint64_t currentProcessId()
{
#ifdef _WIN32
    return static_cast<std::uint64_t>(_getpid());
#else
    return static_cast<std::uint64_t>(getpid());
#endif
}

TemporaryNames::TemporaryNames(const std::filesystem::path& target, std::string_view kind)
    : folder_(target.parent_path()),
      stem_("." + pathText(target.filename()) + std::string(kind) + "." + std::to_string(currentProcessId()) + "."),
      random_(std::random_device{}())
{
}

std::filesystem::path TemporaryNames::next()
{
    std::string number = std::to_string(random_() % 1000000);
    number.insert(0, RandomDigits - number.size(), '0');
    const std::string name = stem_ + number + std::string(Suffix);
    return folder_.empty() ? nativePath(name) : folder_ / nativePath(name);
}

// ".NAME.PID.NNNNNN.tmp": the process id is the last but one part.
std::optional<std::uint64_t> ownerOfTemporary(std::string_view fileName)
{
    if (fileName.size() < 2 || fileName.front() != '.' || !fileName.ends_with(Suffix))
        return std::nullopt;
    std::string_view rest = fileName.substr(1, fileName.size() - 1 - Suffix.size());
    const std::size_t randomDot = rest.rfind('.');
    if (randomDot == std::string_view::npos || rest.size() - randomDot - 1 != RandomDigits ||
        !allDigits(rest.substr(randomDot + 1)))
        return std::nullopt;
    rest = rest.substr(0, randomDot);
    const std::size_t processDot = rest.rfind('.');
    if (processDot == std::string_view::npos || processDot == 0)
        return std::nullopt;
    const std::string_view process = rest.substr(processDot + 1);
    if (!allDigits(process) || process.size() > 12)
        return std::nullopt;
    return std::stoull(std::string(process));
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
