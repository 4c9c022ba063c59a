// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "BorvelinVersion.h"
#include "catalog/Catalog.h"
#include "cli/TerminalStatus.h"
#include "history/HistoryEntry.h"
#include "history/HistoryExportJob.h"
#include "jobs/BackupGenerations.h"
#include "jobs/FilePath.h"
#include "jobs/FolderAccess.h"
#include "jobs/JobError.h"
#include "jobs/StopRequest.h"
#include "lookup/AnswerText.h"
#include "lookup/CallLookup.h"
#include "text/Trimmed.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <istream>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin::cli {

namespace {

volatile std::sig_atomic_t outputHasClosed = 0;

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
    JobOptions options;
    bool allFound = true; // every call looked up was found
};

// One command as given, with what follows it on the command line: its file and options,
// or the calls to look up.
struct Step {
    const Command* command = nullptr;
    CommandArguments arguments;
    std::vector<std::string> calls; // none: read them from standard input
};

std::vector<std::string> callsFrom(std::istream& in)
{
    std::vector<std::string> calls;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && line.back() == '\r') // a line of a file written on Windows
            line.pop_back();
        if (const std::string_view call = trimmed(line, Blanks::SpacesAndTabs); !call.empty())
            calls.emplace_back(call);
    }
    return calls;
}

// The input `name`, or nothing when the folder does not have it.
std::unique_ptr<LineSource> openIfThere(const std::string& name)
{
    try {
        return diskFiles().openInput(name);
    } catch (const JobError& error) {
        if (error.number() != static_cast<int>(ErrorNumber::FileNotFound))
            throw;
        return nullptr;
    }
}

// The answers go out one by one as they are written, whatever their number: memory holds
// each found line's text once, however often its call was asked.
JobSummary runLookup(Session& session, const Step& step)
{
    CallLookup lookup(step.calls.empty() ? callsFrom(session.in) : step.calls, CallLookup::Keeps::Text);
    stopIfRequested(); // a Ctrl+C ends reading the calls too
    beginReading(diskFiles().store(), session.status);
    const auto list = diskFiles().openInput("QSL.TXT");
    if (const auto history = openIfThere(historyfile::FileName))
        lookup.readHistory(*history);
    lookup.readList(*list);
    JobSummary summary;
    summary.linesRead = lookup.linesRead();
    JobSummary::Count found{"call found", "calls found", 0};
    JobSummary::Count missing{"call not found", "calls not found", 0};
    std::string head; // one buffer for every answer's first line, and one for its history
    std::string history;
    for (std::size_t answer = 0; answer < lookup.answers().size(); ++answer) {
        head.clear();
        appendAnswerHead(head, lookup.answers()[answer].call, lookup.found(answer));
        stopIfRequested(); // the reader of the answers may have gone
        session.out << head;
        lookup.writeHitsText(answer, session.out);
        history.clear();
        lookup.appendHistoryText(history, answer);
        session.out << history;
        ++(lookup.found(answer) ? found : missing).count;
    }
    session.out.flush(); // a reader of the answers that has gone stops the command here
    stopIfRequested();
    session.allFound = session.allFound && missing.count == 0;
    summary.counts = {found, missing};
    return summary;
}

// The history as its export writes it, to standard output: what another user imports.
JobSummary runHistory(Session& session)
{
    beginReading(diskFiles().store(), session.status);
    const auto history = diskFiles().openInput(historyfile::FileName);
    JobSummary summary;
    std::string line;
    session.out << historyfile::Header << "\r\n";
    while (history->readLine(line)) {
        stopIfRequested();
        ++summary.linesRead;
        if (isExportedLine(line))
            session.out << line << "\r\n";
    }
    return summary;
}

constexpr std::string_view LookupCommand = "lookup";
constexpr std::string_view HistoryCommand = "history";

// Lookup prints its answers as it finds them, and history prints the history; every
// other command runs its job.
JobSummary runStep(Session& session, const Step& step)
{
    if (step.command->id == LookupCommand)
        return runLookup(session, step);
    if (step.command->id == HistoryCommand)
        return runHistory(session);
    return step.command->run({session.state, session.status, diskFiles(), step.arguments, session.options});
}

constexpr std::size_t UsageWidth = 26;

void printUsage(std::ostream& out)
{
    out << "Usage: borvelin-cli [-C DIR] [-q] [--threads N] [--backups N] COMMAND...\n"
           "Runs BORVELIN's File conversions on the files of the current directory (or DIR),\n"
           "one after the other; stops at the first that fails.\n\nCommands:\n";
    for (const Command& command : commands()) {
        const std::string usage = std::string(command.id) + " " + command.operands.usage();
        out << "  " << usage << std::string(UsageWidth - std::min(usage.size(), UsageWidth - 1), ' ')
            << command.description << '\n';
    }
    out << "\nOptions:\n"
           "  -C DIR       work in DIR instead of the current directory\n"
           "  -q, --quiet  leave out the progress texts\n"
           "  --threads N  work on N threads (0, the default: as many as the machine has)\n"
           "  --backups N  keep N older backups of the list and of a log (10 unless given)\n"
           "  --help       show this text\n"
           "  --version    show the version\n\n"
           "import takes the files up to the next command or the next argument that begins\n"
           "with -; give a file of such a name as ./NAME.\n"
           "lookup comes last: every argument after it is a call to look up; without one,\n"
           "the calls are read from standard input, one per line.\n"
           "Progress and a summary of each command go to standard error. Exit status: 0 when\n"
           "every command succeeded, 1 when one failed (its error number and text on standard\n"
           "error) or a call looked up is not in the list, 2 on a usage error, and 128 and the\n"
           "signal's number after Ctrl+C (130), SIGTERM (143) or SIGHUP (129), or when\n"
           "the reader of its output has gone (141).\n";
}

struct Invocation {
    std::string directory;
    int olderBackups = backups::DefaultOlderKept;
    std::vector<Step> steps;
    bool help = false;
    bool version = false;
    bool quiet = false;
    JobOptions options;
};

// The step of `command`, which stands at argv[i]: takes what follows it as its operands
// (its options, then its file) and moves `i` past them. Returns an error text for
// operands that are missing.
std::string takeOperands(int argc, const char* const* argv, int& i, Step& step)
{
    const Operands& operands = step.command->operands;
    if (operands.calls) {
        step.calls.assign(argv + i + 1, argv + argc);
        i = argc;
        return {};
    }
    if (operands.file.empty())
        return {};
    for (; i + 1 < argc; ++i) {
        const CommandOption* option = operands.option(argv[i + 1]);
        if (option == nullptr)
            break;
        step.arguments.*option->turnsOn = true;
    }
    if (i + 1 >= argc)
        return std::string(step.command->id) + " needs " + operands.usage();
    step.arguments.file = argv[++i];
    for (; operands.severalFiles && i + 1 < argc && argv[i + 1][0] != '-' && !findCommand(argv[i + 1]); ++i)
        step.arguments.moreFiles.emplace_back(argv[i + 1]);
    return {};
}

// A number of threads, 0 to 256, in decimal digits only.
bool readThreads(std::string_view text, unsigned& threads)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value > 256)
        return false;
    threads = value;
    return true;
}

// A count of 0 or more, in decimal digits only.
bool readCount(std::string_view text, int& count)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count >= 0;
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
        } else if (argument == "--backups") {
            if (i + 1 >= argc || !readCount(argv[++i], invocation.olderBackups))
                return "--backups needs a number";
        } else if (argument == "-C") {
            if (i + 1 >= argc)
                return "-C needs a directory";
            invocation.directory = argv[++i];
        } else if (argument == "--threads") {
            if (i + 1 >= argc || !readThreads(argv[i + 1], invocation.options.threads))
                return "--threads needs a number of threads, 0 to 256";
            ++i;
        } else if (const Command* command = findCommand(argument)) {
            Step step{command, {}, {}};
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

// The full path of the file as the error names it, so that the user sees where the
// program looked.
std::string fullPath(const std::string& fileName)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(nativePath(fileName), ec);
    return ec ? fileName : pathText(full.lexically_normal());
}

void reportFailure(std::ostream& err, std::string_view command, const JobError& error)
{
    err << "borvelin-cli: " << command << ": error " << error.number() << ": " << error.text();
    if (!error.fileName().empty())
        err << ": " << fullPath(error.fileName());
    if (error.line() != 0)
        err << ", line " << error.line();
    err << '\n';
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
    for (const auto& kept : summary.kept) {
        err << "; the old " << kept.target << " kept as " << kept.backup;
        if (!kept.older.empty())
            err << ", the backup before as " << kept.older;
    }
    err << '\n';
}

// Runs one command; every failure comes back as a JobError (lookup's out of memory too).
JobSummary runCaught(Session& session, const Step& step)
{
    try {
        return runStep(session, step);
    } catch (const JobError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw JobError(ErrorNumber::OutOfMemory, "Out of memory");
    } catch (const std::exception& error) {
        throw JobError(ErrorNumber::InternalError, std::string("Internal error (") + error.what() + ")");
    }
}

// Shows no panel text at all.
class SilentStatus : public StatusSink {
public:
    void setPanelText(int, const std::string&) override {}
};

} // namespace

void outputClosed() noexcept
{
    outputHasClosed = 1;
}

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
    backups::setOlderKept(invocation.olderBackups);
    TerminalStatus terminal(err, errIsTerminal);
    SilentStatus silent;
    Session session{JobState{}, invocation.quiet ? static_cast<StatusSink&>(silent) : terminal, in, out,
                    invocation.options};
    for (const Step& step : invocation.steps) {
        try {
            const JobSummary summary = runCaught(session, step);
            terminal.finishLine();
            reportSummary(err, step.command->id, summary);
        } catch (const JobError& error) {
            if (outputHasClosed != 0)
                return ExitJobFailed;
            terminal.finishLine();
            reportFailure(err, step.command->id, error);
            return ExitJobFailed;
        }
    }
    return session.allFound ? ExitSuccess : ExitNotFound;
}

} // namespace borvelin::cli
