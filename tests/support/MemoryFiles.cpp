// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MemoryFiles.h"

#include "jobs/ByteSource.h"
#include "jobs/CommitSet.h"
#include "jobs/TemporaryFile.h"

#include <vector>

namespace borvelin::test {

namespace {

class MemorySource : public LineSource {
public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}

    std::size_t readLines(std::span<std::string_view> lines) override
    {
        std::size_t count = 0;
        for (; count < lines.size() && next_ < bytes_.size(); ++count) {
            const std::size_t lineBreak = std::min(bytes_.find_first_of("\r\n", next_), bytes_.size());
            lines[count] = std::string_view(bytes_).substr(next_, lineBreak - next_);
            next_ = lineBreak + 1;
            if (bytes_.compare(lineBreak, 2, "\r\n") == 0)
                ++next_;
        }
        return count;
    }

private:
    std::string bytes_;
    std::size_t next_ = 0;
};

class OwnedBytes : public ByteSource {
public:
    explicit OwnedBytes(std::string bytes) : bytes_(std::move(bytes)), source_(bytes_) {}
    std::size_t read(char* into, std::size_t most) override { return source_.read(into, most); }
    std::uint64_t size() const override { return source_.size(); }
    std::uint64_t bytesRead() const override { return source_.bytesRead(); }

private:
    std::string bytes_;
    MemoryByteSource source_;
};

// The lines go to a temporary name at close(), as OutputFile's go to a temporary file.
class MemorySink : public LineSink {
public:
    MemorySink(MemoryFiles& files, std::optional<std::size_t> failAfter, ErrorNumber error, std::string name)
        : files_(files), failAfter_(failAfter), error_(error), name_(std::move(name)),
          readyName_(files.temporaryNameFor(name_))
    {
    }
    ~MemorySink() override
    {
        if (!committed_)
            files_.remove(readyName_);
    }
    MemorySink(const MemorySink&) = delete;
    MemorySink& operator=(const MemorySink&) = delete;

    void close() override
    {
        if (!closed_)
            files_.write(readyName_, written_);
        closed_ = true;
    }
    void addTo(CommitSet& set) override
    {
        close();
        if (backupName_.empty())
            set.replace(name_, readyName_, name_);
        else
            set.replaceKeepingBackup(name_, readyName_, backupName_, name_, backupName_);
    }
    void markCommitted() noexcept override { committed_ = true; }
    void keepReplacedAs(const std::string& backupName) override { backupName_ = backupName; }
    const std::string& targetName() const override { return name_; }
    const std::string& readyName() const override { return readyName_; }

private:
    // Room for exactly one line, so that every line is counted here.
    void makeRoom(std::size_t bytes) override
    {
        if (failAfter_ && lines_ == *failAfter_)
            throw JobError(error_, "Failed on purpose", name_);
        ++lines_;
        written_.resize(written_.size() + bytes);
        limit_ = written_.data() + written_.size();
        next_ = limit_ - bytes;
    }

    MemoryFiles& files_;
    std::string backupName_;
    std::optional<std::size_t> failAfter_;
    ErrorNumber error_;
    std::string name_;
    std::string readyName_;
    std::string written_;
    std::size_t lines_ = 0;
    bool closed_ = false;
    bool committed_ = false;
};

} // namespace

std::unique_ptr<LineSource> MemoryFiles::openInput(const std::string& name)
{
    const auto file = files.find(name);
    if (file == files.end())
        throw JobError(ErrorNumber::FileNotFound, "File not found", name);
    auto source = std::make_unique<MemorySource>(file->second);
    if (afterOpen)
        afterOpen(name, ++opened_[name]);
    return source;
}

std::unique_ptr<LineSink> MemoryFiles::createOutput(const std::string& name, OutputWrites /*writes*/)
{
    std::optional<std::size_t> failAfter;
    ErrorNumber error = ErrorNumber::DiskFull;
    if (const auto failure = failures_.find(name); failure != failures_.end()) {
        if (failure->second.lines == 0)
            throw JobError(failure->second.error, "Failed on purpose", name);
        failAfter = failure->second.lines;
        error = failure->second.error;
    }
    return std::make_unique<MemorySink>(*this, failAfter, error, name);
}

std::unique_ptr<ByteSource> MemoryFiles::openBytes(const std::string& name)
{
    const auto file = files.find(name);
    if (file == files.end())
        throw JobError(ErrorNumber::FileNotFound, "File not found", name);
    return std::make_unique<OwnedBytes>(file->second);
}

void MemoryFiles::failOutput(const std::string& name, std::size_t lines, ErrorNumber error)
{
    failures_[name] = {lines, error};
}

void MemoryFiles::failRename(int count, ErrorNumber error)
{
    failingRename_ = renames_ + count;
    renameError_ = error;
}

void MemoryFiles::killAtRename(int count)
{
    killingRename_ = renames_ + count;
}

std::map<std::string, std::string> MemoryFiles::visibleFiles() const
{
    std::map<std::string, std::string> visible;
    for (const auto& [name, bytes] : files)
        if (!name.starts_with('.'))
            visible.emplace(name, bytes);
    return visible;
}

void MemoryFiles::stopIfKilled() const
{
    if (killed_)
        throw Killed{};
}

std::string MemoryFiles::temporaryNameFor(const std::string& name)
{
    std::string number = std::to_string(++temporaries_ % 1000000);
    number.insert(0, 6 - number.size(), '0');
    return "." + name + "." + std::to_string(currentProcessId()) + "." + number + ".tmp";
}

void MemoryFiles::write(const std::string& name, std::string bytes)
{
    stopIfKilled();
    files[name] = std::move(bytes);
    changed_[name] = ++clock_;
}

FileStamp MemoryFiles::stampOf(const std::string& name)
{
    FileStamp stamp;
    const auto file = files.find(name);
    if (file == files.end())
        return stamp;
    stamp.kind = FileStamp::Kind::Regular;
    stamp.size = file->second.size();
    stamp.changedNs = changed_[name] * 1000000000;
    return stamp;
}

std::vector<std::string> MemoryFiles::namesBeside(const std::string&)
{
    std::vector<std::string> names;
    for (const auto& entry : files)
        names.push_back(entry.first);
    return names;
}

void MemoryFiles::rename(const std::string& from, const std::string& to, const std::string& errorName)
{
    stopIfKilled();
    ++renames_;
    if (renames_ == killingRename_) {
        killed_ = true;
        throw Killed{};
    }
    if (renames_ == failingRename_)
        throw JobError(renameError_, "Failed on purpose", errorName);
    const auto file = files.find(from);
    if (file == files.end())
        throw JobError(ErrorNumber::FileNotFound, "File not found", errorName);
    std::string bytes = std::move(file->second);
    files.erase(file);
    files[to] = std::move(bytes);
    changed_[to] = changed_[from];
}

std::string MemoryFiles::keepUnderTemporaryName(const std::string& original, const std::string& beside,
                                                const std::string& errorName)
{
    stopIfKilled();
    const auto file = files.find(original);
    if (file == files.end())
        throw JobError(ErrorNumber::FileNotFound, "File not found", errorName);
    const std::string name = temporaryNameFor(beside);
    files[name] = file->second;
    changed_[name] = changed_[original];
    return name;
}

void MemoryFiles::remove(const std::string& name) noexcept
{
    if (!killed_)
        files.erase(name);
}

void MemoryFiles::appendFrom(const std::string& log, std::uint64_t size, const std::string& entries,
                             const std::string& errorName)
{
    stopIfKilled();
    const auto from = files.find(entries);
    if (from == files.end())
        throw JobError(ErrorNumber::FileNotFound, "File not found", errorName);
    cutBack(log, size);
    files[log] += from->second;
    changed_[log] = ++clock_;
}

void MemoryFiles::cutBack(const std::string& log, std::uint64_t size) noexcept
{
    if (killed_)
        return;
    if (const auto file = files.find(log); file != files.end() && file->second.size() > size)
        file->second.resize(size);
}

void MemoryFiles::writeWhole(const std::string& name, const std::string& bytes)
{
    write(name, bytes);
}

std::optional<std::string> MemoryFiles::readWhole(const std::string& name)
{
    const auto file = files.find(name);
    if (file == files.end())
        return std::nullopt;
    return file->second;
}

} // namespace borvelin::test
