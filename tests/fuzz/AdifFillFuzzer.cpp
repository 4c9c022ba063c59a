// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an ADIF log. Reading it either fails with the job's error, in the first
// pass, or succeeds in both; then what must hold for every log holds: a log whose
// stations the list does not give a route comes back byte for byte, and so does one the
// fill has already filled.
#include "adif/AdiReader.h"
#include "adif/QslViaFiller.h"
#include "adif/RouteBook.h"
#include "adif/ViaReport.h"
#include "jobs/JobError.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace borvelin;

// A buffer far smaller than the reader's own, so that every log refills and grows it.
constexpr std::size_t SmallBuffer = 16;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

class ListLines : public LineSource {
public:
    explicit ListLines(const std::vector<std::string>& lines) : lines_(lines) {}
    std::size_t readLines(std::span<std::string_view> lines) override
    {
        std::size_t count = 0;
        for (; count < lines.size() && next_ < lines_.size(); ++count)
            lines[count] = lines_[next_++];
        return count;
    }

private:
    const std::vector<std::string>& lines_;
    std::size_t next_ = 0;
};

class Bytes : public ByteSink {
public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

class NoLines : public LineSink {
public:
    void close() override {}
    void addTo(CommitSet&) override {}
    void markCommitted() noexcept override {}
    const std::string& targetName() const override { return name_; }
    const std::string& readyName() const override { return name_; }

private:
    // Room for one line at a time, which the next one overwrites.
    void makeRoom(std::size_t bytes) override
    {
        line_.resize(std::max(line_.size(), bytes));
        next_ = line_.data();
        limit_ = line_.data() + line_.size();
    }

    std::string line_;
    std::string name_ = "QSLVIA.CSV";
};

struct Filled {
    std::string log;
    std::uint64_t routesAdded = 0;
};

// The job's two passes, in memory; nothing when the first pass finds the log broken.
std::optional<Filled> fill(std::string_view log, const std::vector<std::string>& list)
{
    RouteBook routes;
    try {
        MemoryByteSource bytes(log);
        AdiReader checking(bytes, "LOG.adi", SmallBuffer);
        for (AdiChunk chunk; checking.next(chunk);)
            for (const AdiField& field : chunk.fields)
                if (chunk.kind == AdiChunk::Kind::Record && hasName(field, "CALL"))
                    routes.noteCall(field.data);
    } catch (const JobError& error) {
        require(error.number() == 321 || error.number() == 62);
        return std::nullopt;
    }
    ListLines lines(list);
    routes.readList(lines);
    MemoryByteSource bytes(log);
    AdiReader copying(bytes, "LOG.adi", SmallBuffer);
    Bytes filled;
    NoLines csv;
    ViaReport report(csv);
    QslViaFiller filler(routes, filled, report);
    for (AdiChunk chunk; copying.next(chunk);)
        filler.take(chunk, copying.records());
    return Filled{filled.text, filler.routesAdded()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    static const std::vector<std::string> noRoutes = {"Q0BAD        PIRATE",
                                                      "Q8DIR        Box 12, Main Street 3, City"};
    static const std::vector<std::string> routes = {
        "Q1ABC        QSL via Q2MGR",       "QA/Q1ABC     QSL via Home Call", "Q0BAD        PIRATE",
        "Q5OLD        NOT via Q7GONE! new", "q3low        QSL via q4mgr ",
    };
    const std::optional<Filled> unchanged = fill(log, noRoutes);
    if (!unchanged)
        return 0;
    require(unchanged->log == log && unchanged->routesAdded == 0);
    const std::optional<Filled> once = fill(log, routes);
    require(once.has_value());
    if (once->routesAdded == 0)
        require(once->log == log);
    const std::optional<Filled> twice = fill(once->log, routes);
    require(twice && twice->log == once->log && twice->routesAdded == 0);
    return 0;
}
