// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "BorvelinVersion.h"
#include "buro/BuroListJob.h"
#include "cli/TerminalStatus.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "jobs/JobError.h"
#include "managers/List25Job.h"

#include <array>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin::cli {

namespace {

constexpr int ExitSuccess = 0;
constexpr int ExitJobFailed = 1;
constexpr int ExitUsage = 2;

// What one invocation keeps from job to job, as the main window does: the last job's
// state.
struct Session {
    JobState state;
    StatusSink& status;
};

// Runs the job and gives back what it did.
template <typename Job>
JobSummary runJob(Session& session)
{
    Job job(session.state, session.status);
    job.run();
    return job.summary();
}

struct Command {
    std::string_view name;
    std::string_view menuItem;
    JobSummary (*run)(Session&);
};

constexpr std::array<Command, 4> Commands = {{
    {"list25", "List of 25+: QSL.TXT to QSL.CSV, QSLMGR.TXT and BORVELIN.LOG", runJob<List25Job>},
    {"buro", "QSL Buro list: the bureau lines of QSL.TXT to QSLADM.TXT", runJob<BuroListJob>},
    {"txt2ful", "Convert TXT to FUL: QSL.TXT to QSL.FUL", runJob<TxtToFulJob>},
    {"ful2txt", "Convert FUL to TXT: QSL.FUL to QSL.TXT", runJob<FulToTxtJob>},
}};

const Command* findCommand(std::string_view name)
{
    for (const auto& command : Commands)
        if (command.name == name)
            return &command;
    return nullptr;
}

void printUsage(std::ostream& out)
{
    out << "Usage: borvelin-cli [-C DIR] COMMAND...\n"
           "Runs BORVELIN's File conversions on the files of the current directory (or DIR),\n"
           "one after the other; stops at the first that fails.\n\nCommands:\n";
    for (const auto& command : Commands)
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.menuItem << '\n';
    out << "\nOptions:\n"
           "  -C DIR       work in DIR instead of the current directory\n"
           "  -q, --quiet  leave out the progress texts\n"
           "  --help       show this text\n"
           "  --version    show the version\n\n"
           "Progress and a summary of each command go to standard error. Exit status: 0 when\n"
           "every command succeeded, 1 when one failed (its error number and text on standard\n"
           "error), 2 on a usage error, 128 and the signal's number after Ctrl+C (130),\n"
           "SIGTERM (143) or SIGHUP (129).\n";
}

struct Invocation {
    std::string directory;
    std::vector<const Command*> commands;
    bool help = false;
    bool version = false;
    bool quiet = false;
};

// Fills `invocation`; returns an error text for a command line that cannot run.
std::string parse(int argc, const char* const* argv, Invocation& invocation)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            invocation.help = true;
        } else if (argument == "--version") {
            invocation.version = true;
        } else if (argument == "-q" || argument == "--quiet") {
            invocation.quiet = true;
        } else if (argument == "-C") {
            if (i + 1 >= argc)
                return "-C needs a directory";
            invocation.directory = argv[++i];
        } else if (const Command* command = findCommand(argument)) {
            invocation.commands.push_back(command);
        } else {
            return "unknown command '" + std::string(argument) + "'";
        }
    }
    if (invocation.commands.empty() && !invocation.help && !invocation.version)
        return "no command given";
    return {};
}

void reportFailure(std::ostream& err, std::string_view command, const JobError& error)
{
    err << "borvelin-cli: " << command << ": error " << error.number() << ": " << error.what() << '\n';
}

// One line: the lines read, each file written with its lines, and the job's own figures.
void reportSummary(std::ostream& err, std::string_view command, const JobSummary& summary)
{
    auto lines = [](std::uint64_t count) { return count == 1 ? " line" : " lines"; };
    err << "borvelin-cli: " << command << ": " << summary.linesRead << lines(summary.linesRead) << " read";
    const char* separator = "; ";
    for (const auto& file : summary.filesWritten) {
        err << separator << file.name << ' ' << file.lines << lines(file.lines);
        separator = ", ";
    }
    for (const auto& count : summary.counts)
        err << "; " << count.count << ' ' << count.what();
    err << '\n';
}

// Shows no panel text at all.
class SilentStatus : public StatusSink {
public:
    void setPanelText(int, const std::string&) override {}
};

} // namespace

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    Invocation invocation;
    if (const std::string problem = parse(argc, argv, invocation); !problem.empty()) {
        err << "borvelin-cli: " << problem << "\nTry 'borvelin-cli --help'.\n";
        return ExitUsage;
    }
    if (invocation.help) {
        printUsage(out);
        return ExitSuccess;
    }
    if (invocation.version) {
        out << "borvelin-cli " << version::Text << '\n';
        return ExitSuccess;
    }
    if (!invocation.directory.empty()) {
        std::error_code ec;
        std::filesystem::current_path(invocation.directory, ec);
        if (ec) {
            reportFailure(err, "-C", JobError(ErrorNumber::PathNotFound, "Path not found", invocation.directory));
            return ExitJobFailed;
        }
    }
    TerminalStatus terminal(err, errIsTerminal);
    SilentStatus silent;
    Session session{JobState{}, invocation.quiet ? static_cast<StatusSink&>(silent) : terminal};
    for (const Command* command : invocation.commands) {
        try {
            const JobSummary summary = command->run(session);
            terminal.finishLine();
            reportSummary(err, command->name, summary);
        } catch (const JobError& error) {
            terminal.finishLine();
            reportFailure(err, command->name, error);
            return ExitJobFailed;
        }
    }
    return ExitSuccess;
}

} // namespace borvelin::cli
