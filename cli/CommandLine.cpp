// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "BorvelinVersion.h"
#include "buro/BuroListJob.h"
#include "check/CheckJob.h"
#include "cli/TerminalStatus.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "jobs/JobError.h"
#include "lookup/AnswerText.h"
#include "lookup/CallLookup.h"
#include "managers/List25Job.h"

#include <array>
#include <filesystem>
#include <iostream>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin::cli {

namespace {

constexpr int ExitSuccess = 0;
constexpr int ExitJobFailed = 1;
constexpr int ExitNotFound = 1;
constexpr int ExitUsage = 2;

// What one invocation keeps from job to job, as the main window does: the last job's
// state.
struct Session {
    JobState state;
    StatusSink& status;
    std::istream& in;
    std::ostream& out;
    std::vector<std::string> calls; // to look up; none: read them from `in`
    bool allFound = true;
};

// Runs the job and gives back what it did.
template <typename Job>
JobSummary runJob(Session& session)
{
    Job job(session.state, session.status);
    job.run();
    return job.summary();
}

std::vector<std::string> callsFrom(std::istream& in)
{
    std::vector<std::string> calls;
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos)
            calls.push_back(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
    }
    return calls;
}

JobSummary runLookup(Session& session)
{
    CallLookup lookup(session.calls.empty() ? callsFrom(session.in) : session.calls);
    const auto list = diskFiles().openInput("QSL.TXT");
    lookup.readList(*list);
    JobSummary summary;
    summary.linesRead = lookup.linesRead();
    JobSummary::Count found{"call found", "calls found", 0};
    JobSummary::Count missing{"call not found", "calls not found", 0};
    for (const LookupAnswer& answer : lookup.answers()) {
        session.out << answerText(answer);
        ++(answer.found() ? found : missing).count;
    }
    session.allFound = session.allFound && missing.count == 0;
    summary.counts = {found, missing};
    return summary;
}

struct Command {
    std::string_view name;
    std::string_view menuItem;
    JobSummary (*run)(Session&);
};

constexpr std::string_view LookupCommand = "lookup";

constexpr std::array<Command, 6> Commands = {{
    {"list25", "List of 25+: QSL.TXT to QSL.CSV, QSLMGR.TXT and BORVELIN.LOG", runJob<List25Job>},
    {"buro", "QSL Buro list: the bureau lines of QSL.TXT to QSLADM.TXT", runJob<BuroListJob>},
    {"txt2ful", "Convert TXT to FUL: QSL.TXT to QSL.FUL", runJob<TxtToFulJob>},
    {"ful2txt", "Convert FUL to TXT: QSL.FUL to QSL.TXT", runJob<FulToTxtJob>},
    {"check", "Check List: the findings on the lines of QSL.TXT to QSLCHK.CSV", runJob<CheckJob>},
    {LookupCommand, "Look up CALL... (or calls on standard input): their lines and routes", runLookup},
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
    out << "Usage: borvelin-cli [-C DIR] COMMAND... [lookup [CALL...]]\n"
           "Runs BORVELIN's File conversions on the files of the current directory (or DIR),\n"
           "one after the other; stops at the first that fails.\n\nCommands:\n";
    for (const auto& command : Commands)
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.menuItem << '\n';
    out << "\nOptions:\n"
           "  -C DIR       work in DIR instead of the current directory\n"
           "  -q, --quiet  leave out the progress texts\n"
           "  --help       show this text\n"
           "  --version    show the version\n\n"
           "lookup comes last: every argument after it is a call to look up; without one,\n"
           "the calls are read from standard input, one per line.\n"
           "Progress and a summary of each command go to standard error. Exit status: 0 when\n"
           "every command succeeded, 1 when one failed (its error number and text on standard\n"
           "error) or a call looked up is not in the list, 2 on a usage error, 128 and the signal's number after "
           "Ctrl+C (130),\n"
           "SIGTERM (143) or SIGHUP (129).\n";
}

struct Invocation {
    std::string directory;
    std::vector<const Command*> commands;
    std::vector<std::string> calls;
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
            if (argument == LookupCommand) {
                invocation.calls.assign(argv + i + 1, argv + argc);
                break;
            }
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
    return run(argc, argv, std::cin, out, err, errIsTerminal);
}

int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err, bool errIsTerminal)
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
    Session session{JobState{}, invocation.quiet ? static_cast<StatusSink&>(silent) : terminal, in, out,
                    std::move(invocation.calls)};
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
    return session.allFound ? ExitSuccess : ExitNotFound;
}

} // namespace borvelin::cli
