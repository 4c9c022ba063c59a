// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/CommitJournal.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace borvelin {

namespace {

constexpr std::string_view Header = "BORVELIN commit journal 1\n";
constexpr std::string_view EndMark = "end ";

// FNV-1a: enough to tell a whole journal from a cut or garbled one.
std::uint64_t checksumOf(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037u;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211u;
    }
    return hash;
}

// Names may hold any byte: each field is its length, a colon and its bytes.
void putField(std::string& out, std::string_view field)
{
    out += std::to_string(field.size());
    out += ':';
    out += field;
    out += ' ';
}

class Fields {
public:
    explicit Fields(std::string_view bytes) : bytes_(bytes) {}

    bool take(std::string& field)
    {
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(bytes_.data(), bytes_.data() + bytes_.size(), length);
        if (error != std::errc() || end == bytes_.data() + bytes_.size() || *end != ':')
            return false;
        const std::size_t begin = static_cast<std::size_t>(end - bytes_.data()) + 1;
        if (begin + length + 1 > bytes_.size() || bytes_[begin + length] != ' ')
            return false;
        field.assign(bytes_.substr(begin, length));
        bytes_.remove_prefix(begin + length + 1);
        return true;
    }
    bool takeNumber(std::uint64_t& number)
    {
        std::string text;
        if (!take(text))
            return false;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        return error == std::errc() && end == text.data() + text.size();
    }
    bool atEnd() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};

} // namespace

std::string CommitJournal::encode() const
{
    std::string body(Header);
    for (const Step& step : steps) {
        putField(body, step.kind == Step::Kind::Rename ? "rename" : "append");
        putField(body, step.from);
        putField(body, step.to);
        putField(body, step.errorName);
        putField(body, std::to_string(step.sizeBefore));
        putField(body, step.existedBefore ? "1" : "0");
    }
    for (const std::string& leftover : leftovers) {
        putField(body, "leftover");
        putField(body, leftover);
    }
    return body + std::string(EndMark) + std::to_string(checksumOf(body)) + "\n";
}

std::optional<CommitJournal> CommitJournal::decode(std::string_view bytes)
{
    const std::size_t end = bytes.rfind(EndMark);
    if (!bytes.starts_with(Header) || end == std::string_view::npos || !bytes.ends_with('\n'))
        return std::nullopt;
    const std::string_view body = bytes.substr(0, end);
    const std::string_view checksum = bytes.substr(end + EndMark.size(), bytes.size() - end - EndMark.size() - 1);
    if (checksum != std::to_string(checksumOf(body)))
        return std::nullopt;
    CommitJournal journal;
    Fields fields(body.substr(Header.size()));
    for (std::string kind; !fields.atEnd();) {
        if (!fields.take(kind))
            return std::nullopt;
        if (kind == "leftover") {
            if (!fields.take(journal.leftovers.emplace_back()))
                return std::nullopt;
            continue;
        }
        Step step;
        std::string existed;
        if ((kind != "rename" && kind != "append") || !fields.take(step.from) || !fields.take(step.to) ||
            !fields.take(step.errorName) || !fields.takeNumber(step.sizeBefore) || !fields.take(existed))
            return std::nullopt;
        step.kind = kind == "rename" ? Step::Kind::Rename : Step::Kind::Append;
        step.existedBefore = existed == "1";
        journal.steps.push_back(std::move(step));
    }
    return journal;
}

void takeStep(FileStore& store, const CommitJournal::Step& step)
{
    if (!store.exists(step.from))
        return;
    if (step.kind == CommitJournal::Step::Kind::Rename)
        store.rename(step.from, step.to, step.errorName);
    else
        store.appendFrom(step.to, step.sizeBefore, step.from, step.errorName);
}

namespace {

// A step whose folder has gone since cannot be completed, and must not keep every later
// command from running: it is passed over. Any other failure (a full disk) stops the
// command, and the next one tries again.
void completeStep(FileStore& store, const CommitJournal::Step& step)
{
    try {
        takeStep(store, step);
    } catch (const JobError& error) {
        const auto number = static_cast<ErrorNumber>(error.number());
        if (number != ErrorNumber::FileNotFound && number != ErrorNumber::PathNotFound)
            throw;
    }
}

} // namespace

bool completeInterruptedCommit(FileStore& store)
{
    const std::optional<std::string> bytes = store.readWhole(CommitJournal::FileName);
    if (!bytes)
        return false;
    // A journal that is not whole was cut while it was written: no step was taken then.
    if (const std::optional<CommitJournal> journal = CommitJournal::decode(*bytes)) {
        for (const CommitJournal::Step& step : journal->steps)
            completeStep(store, step);
        syncFoldersOf(store, journal->steps, &CommitJournal::Step::to);
        for (const std::string& leftover : journal->leftovers)
            store.remove(leftover);
    }
    store.remove(CommitJournal::FileName);
    store.syncFolderOf(CommitJournal::FileName);
    return true;
}

void syncFoldersOf(FileStore& store, const std::vector<CommitJournal::Step>& steps,
                   std::string CommitJournal::Step::*name)
{
    std::vector<std::filesystem::path> synced;
    for (const CommitJournal::Step& step : steps) {
        std::filesystem::path folder = nativePath(step.*name).parent_path();
        if (std::find(synced.begin(), synced.end(), folder) != synced.end())
            continue;
        store.syncFolderOf(step.*name);
        synced.push_back(std::move(folder));
    }
}

} // namespace borvelin
