// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ConversionJob.h"

#include "jobs/FilePath.h"
#include "jobs/JobError.h"

#include <filesystem>
#include <new>
#include <span>

namespace borvelin {

std::string currentDirectory()
{
    std::error_code ec;
    const auto directory = std::filesystem::current_path(ec);
    if (ec)
        throw JobError(ErrorNumber::PathNotFound, "Path not found", "current directory");
    return pathText(directory);
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
    output_ = files_.createOutput(state_.OutFileName, outputWrites());
    if (const std::string backup = backupName(); !backup.empty())
        output_->keepReplacedAs(backup);
    if (namesShown() == NamesShown::AfterFilesOpen)
        showNames();

    readLoop();
    afterInputRead();

    status_.setPanelText(ProgressPanel, progressText());
    input_.reset();
    closeOutput();
    afterStreamsClosed();
    stopIfRequested();
    commitOutputs();
}

void ConversionJob::readLoop()
{
    std::vector<std::string_view> lines(LinesPerBatch);
    for (std::size_t count; (count = input_->readLines(lines)) != 0;) {
        const std::string_view textLine = batchStep(std::span(lines).first(count));
        state_.TextLine.assign(textLine); // before the next batch moves the lines
        linesRead_ += count;
        reportInputRead();
    }
    finishLines();
}

void ConversionJob::reportInputRead()
{
    status_.showInputRead(input_->bytesRead(), input_->size());
}

std::string_view ConversionJob::batchStep(std::span<const std::string_view> lines)
{
    std::string_view textLine;
    for (const std::string_view line : lines) {
        stopIfRequestedBeforeLine();
        textLine = lineStep(line);
    }
    return textLine;
}

void ConversionJob::showProgress()
{
    finishLines();
    status_.setPanelText(ProgressPanel, progressText());
}

// The earlier lines' work is done first: had it been done at once, its failure would
// have come before the stop.
void ConversionJob::stop()
{
    finishLines();
    stopIfRequested();
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
    output_ = files_.createOutput(name, outputWrites());
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
