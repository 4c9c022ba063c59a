// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "BorvelinVersion.h"
#include "adif/AdifFillJob.h"
#include "buro/BuroListJob.h"
#include "check/CheckJob.h"
#include "cli/TerminalStatus.h"
#include "cluster/ClusterExportJob.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "import/ImportJob.h"
#include "jobs/FilePath.h"
#include "jobs/JobError.h"
#include "jobs/StopRequest.h"
#include "lookup/AnswerText.h"
#include "lookup/CallLookup.h"
#include "managers/List25Job.h"

#include <algorithm>
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
    bool allFound = true; // every call looked up was found
};

struct Command;

// One command as given, with what follows it on the command line: the file it names and
// its option, or the calls to look up.
struct Step {
    const Command* command = nullptr;
    std::string file;
    bool merge = false;
    std::vector<std::string> calls; // none: read them from standard input
};

struct Command {
    std::string_view name;
    std::string_view operands; // as --help shows them
    std::string_view menuItem;
    JobSummary (*run)(Session&, const Step&);
};

// Runs the job and gives back what it did.
template <typename Job>
JobSummary runJob(Session& session, const Step&)
{
    Job job(session.state, session.status);
    job.run();
    return job.summary();
}

JobSummary runImport(Session& session, const Step& step)
{
    ImportJob job(session.state, session.status, step.file, step.merge ? ImportMode::Merge : ImportMode::Replace);
    job.run();
    return job.summary();
}

JobSummary runAdif(Session& session, const Step& step)
{
    AdifFillJob job(session.state, session.status, step.file);
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

JobSummary runLookup(Session& session, const Step& step)
{
    CallLookup lookup(step.calls.empty() ? callsFrom(session.in) : step.calls, CallLookup::Keeps::Text);
    stopIfRequested(); // a Ctrl+C ends reading the calls too
    const auto list = diskFiles().openInput("QSL.TXT");
    lookup.readList(*list);
    JobSummary summary;
    summary.linesRead = lookup.linesRead();
    JobSummary::Count found{"call found", "calls found", 0};
    JobSummary::Count missing{"call not found", "calls not found", 0};
    std::string head; // one buffer for every answer's first line
    for (std::size_t answer = 0; answer < lookup.answers().size(); ++answer) {
        head.clear();
        appendAnswerHead(head, lookup.answers()[answer].call, lookup.found(answer));
        session.out << head << lookup.hitsText(answer);
        ++(lookup.found(answer) ? found : missing).count;
    }
    session.allFound = session.allFound && missing.count == 0;
    summary.counts = {found, missing};
    return summary;
}

constexpr std::string_view LookupCommand = "lookup";
constexpr std::string_view ImportCommand = "import";

constexpr std::array<Command, 9> Commands = {{
    {"list25", "", "List of 25+: QSL.TXT to QSL.CSV, QSLMGR.TXT and BORVELIN.LOG", runJob<List25Job>},
    {"buro", "", "QSL Buro list: the bureau lines of QSL.TXT to QSLADM.TXT", runJob<BuroListJob>},
    {"txt2ful", "", "Convert TXT to FUL: QSL.TXT to QSL.FUL", runJob<TxtToFulJob>},
    {"ful2txt", "", "Convert FUL to TXT: QSL.FUL to QSL.TXT, the old one kept as QSL.BAK", runJob<FulToTxtJob>},
    {"check", "", "Check List: the findings on the lines of QSL.TXT to QSLCHK.CSV", runJob<CheckJob>},
    {ImportCommand, "[--merge] FILE",
     "Import Manager List FILE to QSL.TXT (kept as QSL.BAK); --merge: new stations only", runImport},
    {"adif", "LOG", "Fill QSL Via in Log: QSL_VIA from QSL.TXT into LOG (kept as LOG.bak), QSLVIA.CSV", runAdif},
    {"cluster", "", "Export for DX Cluster: QSL.TXT to QSLCLU.FUL, one record per call", runJob<ClusterExportJob>},
    {LookupCommand, "[CALL...]", "Look up calls (or calls on standard input): their lines and routes", runLookup},
}};

constexpr std::size_t UsageWidth = 23;

const Command* findCommand(std::string_view name)
{
    for (const auto& command : Commands)
        if (command.name == name)
            return &command;
    return nullptr;
}

void printUsage(std::ostream& out)
{
    out << "Usage: borvelin-cli [-C DIR] [-q] COMMAND...\n"
           "Runs BORVELIN's File conversions on the files of the current directory (or DIR),\n"
           "one after the other; stops at the first that fails.\n\nCommands:\n";
    for (const auto& command : Commands) {
        const std::string usage = std::string(command.name) + " " + std::string(command.operands);
        out << "  " << usage << std::string(UsageWidth - std::min(usage.size(), UsageWidth - 1), ' ')
            << command.menuItem << '\n';
    }
    out << "\nOptions:\n"
           "  -C DIR       work in DIR instead of the current directory\n"
           "  -q, --quiet  leave out the progress texts\n"
           "  --help       show this text\n"
           "  --version    show the version\n\n"
           "lookup comes last: every argument after it is a call to look up; without one,\n"
           "the calls are read from standard input, one per line.\n"
           "Progress and a summary of each command go to standard error. Exit status: 0 when\n"
           "every command succeeded, 1 when one failed (its error number and text on standard\n"
           "error) or a call looked up is not in the list, 2 on a usage error, and 128 and the\n"
           "signal's number after Ctrl+C (130), SIGTERM (143) or SIGHUP (129).\n";
}

struct Invocation {
    std::string directory;
    std::vector<Step> steps;
    bool help = false;
    bool version = false;
    bool quiet = false;
};

// The step of `command`, which stands at argv[i]: takes what follows it as its operands
// and moves `i` past them. Returns an error text for operands that are missing.
std::string takeOperands(int argc, const char* const* argv, int& i, Step& step)
{
    const Command& command = *step.command;
    if (command.name == LookupCommand) {
        step.calls.assign(argv + i + 1, argv + argc);
        i = argc;
        return {};
    }
    if (command.operands.empty())
        return {};
    step.merge = command.name == ImportCommand && i + 1 < argc && std::string_view(argv[i + 1]) == "--merge";
    i += step.merge ? 1 : 0;
    if (i + 1 >= argc)
        return std::string(command.name) + " needs " + std::string(command.operands);
    step.file = argv[++i];
    return {};
}

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
            Step step{command, {}, false, {}};
            if (std::string problem = takeOperands(argc, argv, i, step); !problem.empty())
                return problem;
            invocation.steps.push_back(std::move(step));
        } else {
            return "unknown command '" + std::string(argument) + "'";
        }
    }
    if (invocation.steps.empty() && !invocation.help && !invocation.version)
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
    err << "borvelin-cli: " << command << ": " << summary.linesRead << ' ' << summary.readWhat() << " read";
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
        std::filesystem::current_path(nativePath(invocation.directory), ec);
        if (ec) {
            reportFailure(err, "-C", JobError(ErrorNumber::PathNotFound, "Path not found", invocation.directory));
            return ExitJobFailed;
        }
    }
    TerminalStatus terminal(err, errIsTerminal);
    SilentStatus silent;
    Session session{JobState{}, invocation.quiet ? static_cast<StatusSink&>(silent) : terminal, in, out};
    for (const Step& step : invocation.steps) {
        try {
            const JobSummary summary = step.command->run(session, step);
            terminal.finishLine();
            reportSummary(err, step.command->name, summary);
        } catch (const JobError& error) {
            terminal.finishLine();
            reportFailure(err, step.command->name, error);
            return ExitJobFailed;
        }
    }
    return session.allFound ? ExitSuccess : ExitNotFound;
}

} // namespace borvelin::cli
