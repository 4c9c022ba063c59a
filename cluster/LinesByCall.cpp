// SPDX-License-Identifier: GPL-3.0-or-later
#include "cluster/LinesByCall.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/LineReader.h"
#include "jobs/TemporaryFile.h"
#include "listline/LineLayout.h"
#include "text/Capitals.h"

#include <algorithm>
#include <cerrno>
#include <queue>

namespace borvelin {

namespace fs = std::filesystem;

namespace {

// Each run is read back through a buffer this large, so that many runs still fit.
constexpr std::size_t RunReadBuffer = std::size_t{64} << 10;
constexpr std::size_t RunWriteBuffer = std::size_t{1} << 20;

// The next line of one run in the merge, and the run it came from, which breaks ties
// so that the lines of one call keep the order of the list.
struct RunHead {
    std::uint64_t callStart = 0;
    std::string call;
    std::string line;
    std::size_t run = 0;
};

std::uint64_t startOf(std::string_view call)
{
    std::uint64_t bytes = 0;
    for (std::size_t index = 0; index < 8; ++index)
        bytes = (bytes << 8) | (index < call.size() ? static_cast<unsigned char>(call[index]) : 0u);
    return bytes;
}

struct LaterHead {
    bool operator()(const RunHead* a, const RunHead* b) const
    {
        if (a->callStart != b->callStart)
            return a->callStart > b->callStart;
        return a->call != b->call ? a->call > b->call : a->run > b->run;
    }
};

} // namespace

LinesByCall::LinesByCall(fs::path output, std::size_t runBytes) : output_(std::move(output)), runBytes_(runBytes) {}

LinesByCall::~LinesByCall()
{
    for (const std::string& name : runFiles_)
        removeFile(name);
}

void LinesByCall::add(std::string_view line)
{
    if (!entries_.empty() && arena_.size() + line.size() > runBytes_)
        spillRun();
    if (arena_.capacity() < runBytes_)
        arena_.reserve(runBytes_); // no copy of a half-full run as it grows
    const std::string call = capitals(firstWord(line));
    entries_.push_back({startOf(call), arena_.size(), static_cast<std::uint32_t>(call.size()),
                        static_cast<std::uint32_t>(line.size())});
    arena_.insert(arena_.end(), call.begin(), call.end());
    arena_.insert(arena_.end(), line.begin(), line.end());
}

void LinesByCall::sortRun()
{
    // Zero bytes behind a short call sort it first, as comparing the calls byte by byte does.
    std::stable_sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
        return a.callStart != b.callStart ? a.callStart < b.callStart : callOf(a) < callOf(b);
    });
}

void LinesByCall::spillRun()
{
    sortRun();
    std::string name;
    FileHandle file = createTemporaryBeside(output_, pathText(output_), name, ".run");
    runFiles_.push_back(name);
    std::setvbuf(file.get(), nullptr, _IOFBF, RunWriteBuffer);
    errno = 0;
    bool written = true;
    for (const Entry& entry : entries_) {
        const std::string_view line = lineOf(entry);
        written = written && std::fwrite(line.data(), 1, line.size(), file.get()) == line.size() &&
                  std::fputc('\n', file.get()) != EOF;
    }
    written = written && std::fflush(file.get()) == 0;
    const int writeError = errno;
    if (!closeFile(file) || !written)
        throw JobError::fromErrno(writeError != 0 ? writeError : EIO, pathText(output_));
    arena_.clear();
    entries_.clear();
}

void LinesByCall::forEachInCallOrder(const std::function<void(std::string_view, std::string_view)>& visit)
{
    if (runFiles_.empty()) {
        sortRun();
        for (const Entry& entry : entries_)
            visit(callOf(entry), lineOf(entry));
    } else {
        if (!entries_.empty())
            spillRun();
        mergeRuns(visit);
    }
    arena_.clear();
    entries_.clear();
}

void LinesByCall::mergeRuns(const std::function<void(std::string_view, std::string_view)>& visit)
{
    std::vector<LineReader> readers;
    readers.reserve(runFiles_.size());
    std::vector<RunHead> heads(runFiles_.size());
    std::priority_queue<RunHead*, std::vector<RunHead*>, LaterHead> next;
    const auto advance = [&](std::size_t run) {
        RunHead& head = heads[run];
        if (!readers[run].readLine(head.line))
            return;
        head.call = capitals(firstWord(head.line));
        head.callStart = startOf(head.call);
        next.push(&head);
    };
    for (std::size_t run = 0; run < runFiles_.size(); ++run) {
        readers.emplace_back(runFiles_[run], RunReadBuffer);
        heads[run].run = run;
        advance(run);
    }
    while (!next.empty()) {
        RunHead* head = next.top();
        next.pop();
        visit(head->call, head->line);
        advance(head->run);
    }
}

} // namespace borvelin
