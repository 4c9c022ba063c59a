#include "jobs/OutputFile.h"

#include "jobs/JobError.h"
#include "jobs/NewFile.h"
#include "jobs/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace borvelin {

namespace fs = std::filesystem;

namespace {

// Writes go to the file a symbolic link points at, so that the link survives. The
// links are followed one by one, each relative to its own folder, to the last name in
// the chain, whether or not a file stands there yet.
fs::path resolvedTarget(const std::string& targetName)
{
    constexpr int MostLinks = 40; // as the system allows in one path
    fs::path target(targetName);
    std::error_code ec;
    for (int links = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++links) {
        if (links == MostLinks) // a loop of links, for one
            throw JobError::fromErrno(static_cast<int>(std::errc::too_many_symbolic_link_levels), targetName);
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            throw JobError::fromErrno(ec.value(), targetName);
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// An existing target that may not be replaced fails now, as opening it for writing would.
void requireWritableTarget(const fs::path& target, const std::string& targetName)
{
    requireRegularFileOrNothing(target, targetName);
    std::error_code ec;
    if (!fs::exists(target, ec))
        return;
    errno = 0;
    std::FILE* probe = std::fopen(target.string().c_str(), "ab");
    if (!probe)
        throw JobError::fromErrno(errno ? errno : EACCES, targetName);
    std::fclose(probe);
}

std::FILE* createExclusive(const fs::path& target, const std::string& targetName, std::string& createdName)
{
    std::random_device seed;
    std::mt19937 random(seed());
    const fs::path directory = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + "." + std::to_string(random() % 1000000) + ".tmp";
        const fs::path candidate = directory.empty() ? fs::path(name) : directory / name;
        errno = 0;
        if (std::FILE* file = createNewFile(candidate)) {
            createdName = candidate.string();
            return file;
        }
        if (errno != EEXIST)
            throw JobError::fromErrno(errno ? errno : EACCES, targetName);
    }
    throw JobError(ErrorNumber::PathFileAccess, "Path/File access error (no free temporary name)", targetName);
}

} // namespace

OutputFile::OutputFile(const std::string& targetName, std::size_t bufferSize)
    : targetName_(targetName), buffer_(bufferSize < 64 ? 64 : bufferSize)
{
    const fs::path target = resolvedTarget(targetName);
    requireWritableTarget(target, targetName);
    file_ = createExclusive(target, targetName, temporaryName_);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : targetName_(std::move(other.targetName_)), temporaryName_(std::move(other.temporaryName_)),
      file_(other.file_), buffer_(std::move(other.buffer_)), used_(other.used_), committed_(other.committed_)
{
    other.file_ = nullptr;
    other.committed_ = true; // the moved-from object owns no file any more
}

OutputFile::~OutputFile()
{
    if (!committed_)
        discard();
}

void OutputFile::discard() noexcept
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporaryName_.empty())
        std::remove(temporaryName_.c_str());
}

void OutputFile::writeLine(std::string_view line)
{
    std::memcpy(lineSpace(line.size()), line.data(), line.size());
}

char* OutputFile::lineSpace(std::size_t length)
{
    static constexpr std::string_view lineBreak = "\r\n";
    const std::size_t needed = length + lineBreak.size();
    if (used_ + needed > buffer_.size()) {
        flush();
        if (needed > buffer_.size())
            buffer_.resize(needed);
    }
    char* line = buffer_.data() + used_;
    std::memcpy(line + length, lineBreak.data(), lineBreak.size());
    used_ += needed;
    return line;
}

void OutputFile::flush()
{
    if (used_ == 0)
        return;
    errno = 0;
    if (std::fwrite(buffer_.data(), 1, used_, file_) != used_)
        throw JobError::fromErrno(errno ? errno : EIO, targetName_);
    used_ = 0;
}

void OutputFile::close()
{
    if (!file_)
        return;
    flush();
    errno = 0;
    const bool failed = std::fflush(file_) != 0 || std::ferror(file_);
    const int flushError = errno;
    const bool closeFailed = std::fclose(file_) != 0;
    file_ = nullptr;
    if (failed || closeFailed)
        throw JobError::fromErrno(flushError ? flushError : (errno ? errno : EIO), targetName_);
}

void OutputFile::commit()
{
    close();
    const fs::path target = resolvedTarget(targetName_);
    std::error_code ec;
    const auto existing = fs::status(target, ec);
    if (!ec && fs::exists(existing))
        fs::permissions(temporaryName_, existing.permissions(), ec); // keep the target's permissions
    fs::rename(temporaryName_, target, ec);
    if (ec)
        throw JobError::fromErrno(ec.value(), targetName_);
    committed_ = true;
}

} // namespace borvelin
