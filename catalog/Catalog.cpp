// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Catalog.h"

#include "adif/AdifFillJob.h"
#include "buro/BuroListJob.h"
#include "check/CheckJob.h"
#include "cluster/ClusterExportJob.h"
#include "full/FulToTxtJob.h"
#include "full/TxtToFulJob.h"
#include "history/HistoryExportJob.h"
#include "import/ImportJob.h"
#include "managers/List25Job.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace borvelin {

namespace {

template <typename Job>
JobSummary runJob(const CommandContext& context)
{
    Job job(context.state, context.status, context.files);
    job.run(context.options);
    return job.summary();
}

JobSummary runImport(const CommandContext& context)
{
    const ImportMode mode = context.arguments.merge ? ImportMode::Merge : ImportMode::Replace;
    std::vector<std::string> files{context.arguments.file};
    files.insert(files.end(), context.arguments.moreFiles.begin(), context.arguments.moreFiles.end());
    ImportJob job(context.state, context.status, std::move(files), mode, context.files);
    job.run(context.options);
    return job.summary();
}

JobSummary runAdif(const CommandContext& context)
{
    AdifFillJob job(context.state, context.status, context.arguments.file, context.files,
                    context.arguments.exact ? FillRoutes::Exact : FillRoutes::AlsoInferred);
    job.run(context.options);
    return job.summary();
}

JobSummary runHistoryExport(const CommandContext& context)
{
    HistoryExportJob job(context.state, context.status, context.arguments.file, context.files);
    job.run(context.options);
    return job.summary();
}

using Place = CommandFile::Place;

constexpr CommandFile TheList[] = {{"QSL.TXT"}};
constexpr CommandFile List25Writes[] = {{"QSL.CSV"}, {"QSLMGR.TXT"}, {"BORVELIN.LOG"}};
constexpr CommandFile BuroWrites[] = {{"QSLADM.TXT"}};
constexpr CommandFile TheFulList[] = {{"QSL.FUL"}};
constexpr CommandFile NewList[] = {{"QSL.TXT"}, {"QSL.BAK"}};
constexpr CommandFile TheListAndHistory[] = {{"QSL.TXT"}, {"QSLHIST.CSV"}};
constexpr CommandFile CheckWrites[] = {{"QSLCHK.CSV"}};
constexpr CommandFile ImportReads[] = {{"FILE", Place::Operand}, {"QSL.TXT"}, {"QSLHIST.CSV"}};
constexpr CommandFile ImportWrites[] = {{"QSL.TXT"}, {"QSL.BAK"}, {"QSLHIST.CSV"}, {"QSLHIST.BAK"}, {"BORVELIN.LOG"}};
constexpr CommandOption ImportOptions[] = {{"--merge", &CommandArguments::merge}};
constexpr CommandOption AdifOptions[] = {{"--exact", &CommandArguments::exact}};
constexpr CommandFile AdifReads[] = {{"LOG", Place::Operand}, {"QSL.TXT"}, {"QSLHIST.CSV"}};
constexpr CommandFile AdifWrites[] = {{"LOG", Place::Operand}, {"LOG.bak", Place::Operand}, {"QSLVIA.CSV"}};
constexpr CommandFile ClusterWrites[] = {{"QSLCLU.FUL"}};
constexpr CommandFile TheHistory[] = {{"QSLHIST.CSV"}};
constexpr CommandFile HistoryWrites[] = {{"FILE", Place::Operand}};

constexpr std::array Commands = {
    Command{.id = "list25",
            .caption = "&List of 25+",
            .accessKey = 'L',
            .control = "mnuFileList25",
            .menuPlace = 4,
            .reads = TheList,
            .writes = List25Writes,
            .description = "List of 25+: QSL.TXT to QSL.CSV, QSLMGR.TXT and BORVELIN.LOG",
            .run = runJob<List25Job>},
    Command{.id = "buro",
            .caption = "QSL &Buro list",
            .accessKey = 'B',
            .control = "mnuFileQSL_Buro_list",
            .menuPlace = 3,
            .barAbove = "mnuFileBar0",
            .reads = TheList,
            .writes = BuroWrites,
            .description = "QSL Buro list: the bureau lines of QSL.TXT to QSLADM.TXT",
            .run = runJob<BuroListJob>},
    Command{.id = "txt2ful",
            .caption = "Convert &TXT to FUL",
            .accessKey = 'T',
            .control = "mnuFileTXT2FUL",
            .menuPlace = 2,
            .reads = TheList,
            .writes = TheFulList,
            .description = "Convert TXT to FUL: QSL.TXT to QSL.FUL",
            .run = runJob<TxtToFulJob>},
    Command{.id = "ful2txt",
            .caption = "Convert &FUL to TXT",
            .accessKey = 'F',
            .control = "mnuFileFull2TXT",
            .menuPlace = 1,
            .reads = TheFulList,
            .writes = NewList,
            .description = "Convert FUL to TXT: QSL.FUL to QSL.TXT, the old one kept as QSL.BAK",
            .run = runJob<FulToTxtJob>},
    Command{.id = "check",
            .caption = "&Check List",
            .accessKey = 'C',
            .control = "mnuFileCheckList",
            .menuPlace = 5,
            .reads = TheListAndHistory,
            .writes = CheckWrites,
            .description = "Check List: the findings on the lines of QSL.TXT to QSLCHK.CSV",
            .run = runJob<CheckJob>},
    Command{.id = "import",
            .caption = "&Import Manager List...",
            .accessKey = 'I',
            .control = "mnuFileImport",
            .menuPlace = 6,
            .barAbove = "mnuFileBar2",
            .reads = ImportReads,
            .writes = ImportWrites,
            .operands = {.options = ImportOptions, .file = "FILE", .severalFiles = true},
            .description = "Import Manager List FILE... to QSL.TXT (kept as QSL.BAK) and QSLHIST.CSV; "
                           "--merge: new stations only, the rows added to the history",
            .run = runImport},
    Command{.id = "adif",
            .caption = "Fill QSL &Via in Log...",
            .accessKey = 'V',
            .control = "mnuFileFillQslVia",
            .menuPlace = 7,
            .reads = AdifReads,
            .writes = AdifWrites,
            .operands = {.options = AdifOptions, .file = "LOG"},
            .description = "Fill QSL Via in Log: QSL_VIA from QSL.TXT and QSLHIST.CSV into LOG (kept as LOG.bak), "
                           "QSLVIA.CSV; --exact: a call's own lines only",
            .run = runAdif},
    Command{.id = "cluster",
            .caption = "&Export for DX Cluster",
            .accessKey = 'E',
            .control = "mnuFileCluster",
            .menuPlace = 8,
            .reads = TheList,
            .writes = ClusterWrites,
            .description = "Export for DX Cluster: QSL.TXT to QSLCLU.FUL, one record per call",
            .run = runJob<ClusterExportJob>},
    Command{.id = "history",
            .caption = "Export &History...",
            .accessKey = 'H',
            .control = "mnuFileExportHistory",
            .menuPlace = 9,
            .reads = TheHistory,
            .writes = HistoryWrites,
            .description = "Export History: QSLHIST.CSV as CALL;MANAGER;DATE;SOURCE rows to standard output",
            .run = runHistoryExport},
    Command{.id = "lookup",
            .control = "txtFind",
            .reads = TheListAndHistory,
            .operands = {.calls = true},
            .description = "Look up calls (or calls on standard input): their lines and routes"},
};

} // namespace

std::span<const Command> commands()
{
    return Commands;
}

const Command* findCommand(std::string_view id)
{
    const auto found =
        std::find_if(Commands.begin(), Commands.end(), [id](const Command& row) { return row.id == id; });
    return found == Commands.end() ? nullptr : &*found;
}

const Command& commandNamed(std::string_view id)
{
    if (const Command* command = findCommand(id))
        return *command;
    throw std::out_of_range("no command " + std::string(id));
}

std::vector<const Command*> fileMenuCommands()
{
    std::vector<const Command*> items;
    for (const Command& command : Commands)
        if (command.inFileMenu())
            items.push_back(&command);
    std::sort(items.begin(), items.end(),
              [](const Command* a, const Command* b) { return a->menuPlace < b->menuPlace; });
    return items;
}

} // namespace borvelin
