// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/AdifFillJob.h"

#include "adif/AdiReader.h"
#include "adif/QslViaFiller.h"
#include "adif/RouteBook.h"
#include "adif/ViaReport.h"
#include "jobs/CommitSet.h"
#include "jobs/ConversionJob.h"
#include "jobs/FolderAccess.h"
#include "jobs/JobError.h"
#include "jobs/StopRequest.h"

#include <new>

namespace borvelin {

namespace {

class OutputBytes : public ByteSink {
public:
    explicit OutputBytes(LineSink& file) : file_(file) {}
    void write(std::string_view bytes) override { file_.writeBytes(bytes); }

private:
    LineSink& file_;
};

const AdiField* callOf(const AdiChunk& qso)
{
    for (const AdiField& field : qso.fields)
        if (hasName(field, "CALL"))
            return &field;
    return nullptr;
}

} // namespace

AdifFillJob::AdifFillJob(JobState& state, StatusSink& status, const std::string& logFile, JobFiles& files)
    : state_(state), status_(status), logFile_(logFile), files_(files)
{
}

void AdifFillJob::run()
{
    try {
        runSteps();
    } catch (const JobError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw JobError(ErrorNumber::OutOfMemory, "Out of memory");
    } catch (const std::exception& error) {
        throw JobError(ErrorNumber::InternalError, std::string("Internal error (") + error.what() + ")");
    }
}

void AdifFillJob::showProgressIfDue()
{
    if (state_.RecCount % ConversionJob::ProgressInterval == 0)
        status_.setPanelText(ProgressPanel, "Records: " + std::to_string(state_.RecCount));
}

void AdifFillJob::runSteps()
{
    state_.InFileName = logFile_;
    state_.OutFileName = logFile_;
    state_.CurrentDir = currentDirectory();
    state_.RecCount = 0;
    const auto folderLock = beginWriting(files_.store(), status_);
    auto firstPass = files_.openBytes(logFile_);
    const auto log = files_.createOutput(logFile_, OutputWrites::AsTheJobGoes);
    log->keepReplacedAs(logFile_ + BackupSuffix);
    const auto csv = files_.createOutput(ViaReport::FileName, OutputWrites::AsTheJobGoes);
    status_.setPanelText(CurrentDirPanel, "Current Dir: " + state_.CurrentDir);
    status_.setPanelText(FromPanel, "From: " + logFile_);
    status_.setPanelText(ToPanel, "To: " + logFile_);

    // The share read runs over the log, the list, and the log once more.
    auto list = files_.openInput(ListFileName);
    const std::uint64_t logSize = firstPass->size();
    const std::uint64_t inAll = 2 * logSize + list->size();
    RouteBook routes;
    AdiReader checking(*firstPass, logFile_);
    for (AdiChunk chunk; checking.next(chunk);) {
        stopIfRequested();
        if (const AdiField* call = chunk.kind == AdiChunk::Kind::Record ? callOf(chunk) : nullptr)
            routes.noteCall(call->data);
        if (checking.records() % ShareInterval == 0)
            status_.showInputRead(firstPass->bytesRead(), inAll);
    }
    firstPass.reset();
    routes.readList(*list);
    const std::uint64_t listSize = list->size();
    list.reset();
    status_.showInputRead(logSize + listSize, inAll);

    auto secondPass = files_.openBytes(logFile_);
    AdiReader copying(*secondPass, logFile_);
    OutputBytes logBytes(*log);
    ViaReport report(*csv);
    QslViaFiller filler(routes, logBytes, report);
    for (AdiChunk chunk; copying.next(chunk);) {
        stopIfRequested();
        if (chunk.kind == AdiChunk::Kind::Record) {
            ++state_.RecCount;
            showProgressIfDue();
            if (state_.RecCount % ShareInterval == 0)
                status_.showInputRead(logSize + listSize + secondPass->bytesRead(), inAll);
        }
        filler.take(chunk, copying.records());
    }
    status_.setPanelText(ProgressPanel, "Records: " + std::to_string(state_.RecCount));
    secondPass.reset(); // the log is about to be replaced
    log->close();
    csv->close();
    stopIfRequested();
    commit(*log, *csv, filler.routesAdded() > 0);
    summary_.linesRead = state_.RecCount;
    summary_.readOne = "QSO";
    summary_.readMany = "QSOs";
    summary_.filesWritten = {{ViaReport::FileName, csv->linesWritten()}};
    summary_.counts = {{"route added to " + logFile_, "routes added to " + logFile_, filler.routesAdded()}};
}

// The log is replaced only when a route was added; QSLVIA.CSV always. Windows replaces
// no file that is open: the log's readers are closed by now.
void AdifFillJob::commit(LineSink& log, LineSink& csv, bool logChanged)
{
    CommitSet set(files_.store());
    if (logChanged)
        log.addTo(set);
    csv.addTo(set);
    set.commit();
    if (logChanged)
        log.markCommitted(); // else its temporary file goes with it
    csv.markCommitted();
    summary_.kept = set.kept();
}

} // namespace borvelin
