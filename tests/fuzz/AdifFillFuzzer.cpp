// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an ADIF log, through Fill QSL Via's job in memory. Reading it either fails
// with the job's error, changing nothing, or succeeds; then what must hold for every
// log holds: a log whose stations the list gives no route comes back byte for byte, and
// so does one the fill has already filled.
#include "adif/AdifFillJob.h"
#include "jobs/JobError.h"
#include "support/MemoryFiles.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace borvelin;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

class NoStatus : public StatusSink {
public:
    void setPanelText(int, const std::string&) override {}
};

struct Filled {
    std::string log;
    bool replaced = false;
};

std::string listOf(const std::vector<std::string>& lines)
{
    std::string list;
    for (const std::string& line : lines)
        list += line + "\r\n";
    return list;
}

// The job on `log` and `list`; nothing when it finds the log broken.
std::optional<Filled> fill(std::string_view log, const std::vector<std::string>& list)
{
    test::MemoryFiles files;
    files.files["LOG.adi"] = std::string(log);
    files.files["QSL.TXT"] = listOf(list);
    JobState state;
    NoStatus status;
    try {
        AdifFillJob(state, status, "LOG.adi", files).run(JobOptions{1});
    } catch (const JobError& error) {
        require(error.number() == 321 || error.number() == 62);
        require(files.files["LOG.adi"] == log && files.files.count("QSLVIA.CSV") == 0);
        return std::nullopt;
    }
    return Filled{files.files["LOG.adi"], files.files.count("LOG.adi.bak") != 0};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    static const std::vector<std::string> noRoutes = {"Q0BAD        PIRATE",
                                                      "Q8DIR        Box 12, Main Street 3, City"};
    static const std::vector<std::string> routes = {
        "Q1ABC        QSL via Q2MGR",       "QA/Q1ABC     QSL via Home Call", "Q0BAD        PIRATE",
        "Q5OLD        NOT via Q7GONE! new", "q3low        QSL via q4mgr ",    "Q6TWO        QSL via Q2MGR",
        "Q6TWO        QSL via Q3MGR",       "Q7BAD        QSL via q2mgr)",    "Q9PIR        QSL via Q0BAD",
    };
    const std::optional<Filled> unchanged = fill(log, noRoutes);
    if (!unchanged)
        return 0;
    require(unchanged->log == log && !unchanged->replaced);
    const std::optional<Filled> once = fill(log, routes);
    require(once.has_value());
    if (!once->replaced)
        require(once->log == log);
    const std::optional<Filled> twice = fill(once->log, routes);
    require(twice && twice->log == once->log && !twice->replaced);
    return 0;
}
