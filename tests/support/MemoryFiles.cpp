// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MemoryFiles.h"

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

class MemorySink : public LineSink {
public:
    MemorySink(std::map<std::string, std::string>& files, std::optional<std::size_t> failAfter, ErrorNumber error,
               std::string name)
        : files_(files), failAfter_(failAfter), error_(error), name_(std::move(name))
    {
    }

    void close() override {}
    void commit() override
    {
        if (!backupName_.empty() && files_.count(name_)) {
            files_[backupName_] = files_[name_];
            keptAs_ = backupName_;
        }
        files_[name_] = written_;
    }
    void keepReplacedAs(const std::string& backupName) override { backupName_ = backupName; }
    const std::string& targetName() const override { return name_; }

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

    std::map<std::string, std::string>& files_;
    std::string backupName_;
    std::optional<std::size_t> failAfter_;
    ErrorNumber error_;
    std::string name_;
    std::string written_;
    std::size_t lines_ = 0;
};

} // namespace

std::unique_ptr<LineSource> MemoryFiles::openInput(const std::string& name)
{
    const auto file = files.find(name);
    if (file == files.end())
        throw JobError(ErrorNumber::FileNotFound, "File not found", name);
    return std::make_unique<MemorySource>(file->second);
}

std::unique_ptr<ByteSource> MemoryFiles::openBytes(const std::string& name)
{
    // The bytes are copied: the job may replace the file before the source goes.
    class OwnBytes : public ByteSource {
    public:
        explicit OwnBytes(std::string bytes) : bytes_(std::move(bytes)), source_(bytes_) {}
        std::size_t read(char* into, std::size_t most) override { return source_.read(into, most); }
        std::uint64_t size() const override { return source_.size(); }
        std::uint64_t bytesRead() const override { return source_.bytesRead(); }

    private:
        std::string bytes_;
        MemoryByteSource source_;
    };
    const auto file = files.find(name);
    if (file == files.end())
        throw JobError(ErrorNumber::FileNotFound, "File not found", name);
    return std::make_unique<OwnBytes>(file->second);
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
    return std::make_unique<MemorySink>(files, failAfter, error, name);
}

void MemoryFiles::failOutput(const std::string& name, std::size_t lines, ErrorNumber error)
{
    failures_[name] = {lines, error};
}

} // namespace borvelin::test
