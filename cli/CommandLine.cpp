// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "BorvelinVersion.h"
#include "adif/AdifFillJob.h"
#include "buro/BuroListJob.h"
#include "cli/TerminalStatus.h"
#include "cluster/ClusterExportJob.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "import/ImportJob.h"
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
// state and the manager tally, which every list25 adds to.
struct Session {
    JobState state;
    TerminalStatus& status;
    ManagerTally tally;
};

// One command as given, with the file it names and its option, if it takes them.
struct Step;

template <typename Job>
void runJob(Session& session, const Step&)
{
    Job(session.state, session.status).run();
}

void runList25(Session& session, const Step&)
{
    List25Job(session.state, session.status, session.tally).run();
}

void runImport(Session& session, const Step& step);
void runAdif(Session& session, const Step& step);

struct Command {
    std::string_view name;
    std::string_view operands; // as --help shows them; a command with operands names a file
    std::string_view menuItem;
    void (*run)(Session&, const Step&);
};

constexpr std::array<Command, 7> Commands = {{
    {"list25", "", "List of 25+: QSL.TXT to QSL.CSV, QSLMGR.TXT and BORVELIN.LOG", runList25},
    {"buro", "", "QSL Buro list: the bureau lines of QSL.TXT to QSLADM.TXT", runJob<BuroListJob>},
    {"txt2ful", "", "Convert TXT to FUL: QSL.TXT to QSL.FUL", runJob<TxtToFulJob>},
    {"ful2txt", "", "Convert FUL to TXT: QSL.FUL to QSL.TXT, the old one kept as QSL.BAK", runJob<FulToTxtJob>},
    {"import", "[--merge] FILE", "Import Manager List FILE to QSL.TXT (kept as QSL.BAK); --merge: new stations only",
     runImport},
    {"adif", "LOG", "Fill QSL Via in Log: QSL_VIA from QSL.TXT into LOG (kept as LOG.bak), QSLVIA.CSV", runAdif},
    {"cluster", "", "Export for DX Cluster: QSL.TXT to QSLCLU.FUL, one record per call", runJob<ClusterExportJob>},
}};

struct Step {
    const Command* command = nullptr;
    std::string file;
    bool merge = false;
};

void runImport(Session& session, const Step& step)
{
    ImportJob(session.state, session.status, step.file, step.merge ? ImportMode::Merge : ImportMode::Replace).run();
}

void runAdif(Session& session, const Step& step)
{
    AdifFillJob(session.state, session.status, step.file).run();
}

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
    out << "Usage: borvelin-cli [-C DIR] COMMAND...\n"
           "Runs BORVELIN's File conversions on the files of the current directory (or DIR),\n"
           "one after the other; stops at the first that fails.\n\nCommands:\n";
    for (const auto& command : Commands) {
        const std::string usage = std::string(command.name) + " " + std::string(command.operands);
        out << "  " << usage << std::string(UsageWidth - usage.size(), ' ') << command.menuItem << '\n';
    }
    out << "\nOptions:\n"
           "  -C DIR    work in DIR instead of the current directory\n"
           "  --help    show this text\n"
           "  --version show the version\n\n"
           "Progress goes to standard error. Exit status: 0 when every command succeeded,\n"
           "1 when one failed (its error number and text on standard error), 2 on a usage error.\n";
}

struct Invocation {
    std::string directory;
    std::vector<Step> commands;
    bool help = false;
    bool version = false;
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
        } else if (argument == "-C") {
            if (i + 1 >= argc)
                return "-C needs a directory";
            invocation.directory = argv[++i];
        } else if (const Command* command = findCommand(argument)) {
            Step step{command, {}, false};
            if (!command->operands.empty()) {
                step.merge = command->name == "import" && i + 1 < argc && std::string_view(argv[i + 1]) == "--merge";
                i += step.merge ? 1 : 0;
                if (i + 1 >= argc)
                    return std::string(command->name) + " needs " + std::string(command->operands);
                step.file = argv[++i];
            }
            invocation.commands.push_back(step);
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
    TerminalStatus status(err, errIsTerminal);
    Session session{JobState{}, status, ManagerTally{}};
    for (const Step& step : invocation.commands) {
        try {
            step.command->run(session, step);
            status.finishLine();
        } catch (const JobError& error) {
            status.finishLine();
            reportFailure(err, step.command->name, error);
            return ExitJobFailed;
        }
    }
    return ExitSuccess;
}

} // namespace borvelin::cli
