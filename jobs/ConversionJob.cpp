// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ConversionJob.h"

#include "jobs/JobError.h"
#include "jobs/StopRequest.h"

#include <filesystem>
#include <new>

namespace borvelin {

std::string currentDirectory()
{
    std::error_code ec;
    const auto directory = std::filesystem::current_path(ec);
    if (ec)
        throw JobError(ErrorNumber::PathNotFound, "Path not found", "current directory");
    return directory.string();
}

ConversionJob::ConversionJob(JobState& state, StatusSink& status, JobFiles& files)
    : state_(state), status_(status), files_(files)
{
}

ConversionJob::~ConversionJob() = default;

void ConversionJob::run()
{
    try {
        runSteps();
    } catch (const JobError&) {
        abandon();
        throw;
    } catch (const std::bad_alloc&) {
        abandon();
        throw JobError(ErrorNumber::OutOfMemory, "Out of memory");
    } catch (const std::exception& error) {
        abandon();
        throw JobError(ErrorNumber::InternalError, std::string("Internal error (") + error.what() + ")");
    }
}

void ConversionJob::abandon() noexcept
{
    input_.reset();
    output_.reset();
    completedOutputs_.clear();
}

void ConversionJob::runSteps()
{
    state_.InFileName = inputName();
    state_.OutFileName = outputName();
    state_.CurrentDir = currentDirectory();
    if (namesShown() == NamesShown::BeforeFilesOpen)
        showNames();
    state_.RecCount = 0;
    linesRead_ = 0;
    input_ = files_.openInput(state_.InFileName);
    output_ = files_.createOutput(state_.OutFileName);
    if (const std::string backup = backupName(); !backup.empty())
        output_->keepReplacedAs(backup);
    if (namesShown() == NamesShown::AfterFilesOpen)
        showNames();

    std::uint64_t linesUntilReport = InputReportInterval;
    while (input_->readLine(state_.TextLine)) {
        stopIfRequested();
        ++linesRead_;
        lineStep(state_.TextLine);
        if (--linesUntilReport == 0) {
            reportInputRead();
            linesUntilReport = InputReportInterval;
        }
    }
    reportInputRead();
    afterInputRead();

    status_.setPanelText(ProgressPanel, progressText());
    input_.reset();
    closeOutput();
    afterStreamsClosed();
    stopIfRequested();
    commitOutputs();
}

void ConversionJob::showNames()
{
    status_.setPanelText(CurrentDirPanel, "Current Dir: " + state_.CurrentDir);
    status_.setPanelText(FromPanel, "From: " + state_.InFileName);
    status_.setPanelText(ToPanel, "To: " + state_.OutFileName);
}

std::string ConversionJob::progressText() const
{
    return "Records: " + std::to_string(state_.RecCount);
}

void ConversionJob::blankShortLine(std::string& textLine)
{
    if (textLine.size() <= BlankedLineLength)
        textLine.assign(1, ' ');
}

void ConversionJob::showProgressIfDue()
{
    if (state_.RecCount % ProgressInterval == 0)
        status_.setPanelText(ProgressPanel, progressText());
}

void ConversionJob::closeOutput()
{
    if (!output_)
        return;
    output_->close();
    completedOutputs_.push_back(std::move(output_));
}

void ConversionJob::openNextOutput(const std::string& name)
{
    closeOutput();
    output_ = files_.createOutput(name);
}

void ConversionJob::commitOutputs()
{
    closeOutput();
    beforeCommit();
    try {
        for (auto& output : completedOutputs_)
            output->commit();
    } catch (...) {
        afterCommitFailed();
        throw;
    }
}

void ConversionJob::reportInputRead()
{
    status_.showInputRead(input_->bytesRead(), input_->size());
}

JobSummary ConversionJob::summary() const
{
    JobSummary summary;
    summary.linesRead = linesRead_;
    for (const auto& output : completedOutputs_)
        summary.filesWritten.push_back({output->targetName(), output->linesWritten()});
    addCounts(summary.counts);
    return summary;
}

} // namespace borvelin
