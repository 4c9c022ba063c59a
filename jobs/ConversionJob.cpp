// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ConversionJob.h"

#include "jobs/FilePath.h"
#include "jobs/FolderAccess.h"
#include "jobs/JobError.h"

#include <algorithm>
#include <filesystem>
#include <new>

namespace borvelin {

std::string currentDirectory()
{
    std::error_code ec;
    const auto directory = std::filesystem::current_path(ec);
    if (ec)
        throw JobError(ErrorNumber::PathNotFound, "Path not found", "current directory");
    return pathText(directory);
}

// The default pass: each line to the job's lineStep, on the job's thread.
class ConversionJob::LineSteps final : public LinePass {
public:
    explicit LineSteps(ConversionJob& job) : job_(job) {}
    void takeUp(const LineBlock& block) override
    {
        for (const std::string_view line : block.lines) {
            job_.stopIfRequestedBeforeLine();
            job_.lineStep(line);
        }
    }

private:
    ConversionJob& job_;
};

void ConversionJob::Passes::overLines(std::string input, LinePass& pass, Input required)
{
    passes_.push_back({std::move(input), required, &pass, {}, {}, {}, 0});
}

void ConversionJob::Passes::overBytes(std::string input, std::function<void(ByteSource&)> read)
{
    passes_.push_back({std::move(input), Input::Required, nullptr, std::move(read), {}, {}, 0});
}

std::uint64_t ConversionJob::Passes::Pass::bytesRead() const
{
    return lineSource ? lineSource->bytesRead() : byteSource ? byteSource->bytesRead() : 0;
}

ConversionJob::ConversionJob(JobState& state, StatusSink& status, JobFiles& files)
    : state_(state), status_(status), files_(files), log_(files)
{
}

ConversionJob::~ConversionJob() = default;

void ConversionJob::run(const JobOptions& options)
{
    try {
        runSteps(options);
        folderLock_.reset();
    } catch (const JobError& error) {
        abandon();
        throw placed(error);
    } catch (const std::bad_alloc&) {
        abandon();
        throw JobError(ErrorNumber::OutOfMemory, "Out of memory");
    } catch (const std::exception& error) {
        abandon();
        throw JobError(ErrorNumber::InternalError, std::string("Internal error (") + error.what() + ")");
    }
}

// The outputs' temporary files go before the lock, which another program may be waiting for.
void ConversionJob::abandon() noexcept
{
    passes_.passes_.clear();
    output_ = nullptr;
    outputs_.clear();
    folderLock_.reset();
}

// A limit of the data (a count that overflows) stops the job at a line of the input:
// the error names it, and the line when the job knows it.
JobError ConversionJob::placed(const JobError& error) const
{
    const auto number = static_cast<ErrorNumber>(error.number());
    if (!error.fileName().empty() || (number != ErrorNumber::Overflow && number != ErrorNumber::SubscriptOutOfRange))
        return error;
    return error.at(state_.InFileName, error.line() != 0 ? error.line() : state_.RecCount);
}

void ConversionJob::declarePasses(Passes& passes)
{
    lineSteps_ = std::make_unique<LineSteps>(*this);
    passes.overLines(inputName(), *lineSteps_);
}

void ConversionJob::runSteps(const JobOptions& options)
{
    state_.InFileName = inputName();
    state_.OutFileName = outputName();
    state_.CurrentDir = currentDirectory();
    if (namesShown() == NamesShown::BeforeFilesOpen)
        showNames();
    state_.RecCount = 0;
    linesRead_ = 0;
    kept_.clear();
    folderLock_ = beginWriting(files_.store(), status_);
    passes_ = Passes();
    declarePasses(passes_);
    openInputs();
    openNextOutput(state_.OutFileName);
    if (const std::string backup = backupName(); !backup.empty())
        output_->keepReplacedAs(backup);
    if (namesShown() == NamesShown::AfterFilesOpen)
        showNames();

    runPasses(options);
    status_.setPanelText(ProgressPanel, doneText());
    writeGathered();
    closeOutputs();
    stopIfRequested();
    commitOutputs();
}

void ConversionJob::openInputs()
{
    for (Passes::Pass& pass : passes_.passes_) {
        if (!pass.lines) {
            pass.byteSource = files_.openBytes(pass.input);
            pass.size = pass.byteSource->size();
            continue;
        }
        try {
            pass.lineSource = files_.openInput(pass.input);
            pass.size = pass.lineSource->size();
        } catch (const JobError& error) {
            if (pass.required == Passes::Input::Required ||
                error.number() != static_cast<int>(ErrorNumber::FileNotFound))
                throw;
        }
    }
}

void ConversionJob::runPasses(const JobOptions& options)
{
    PassRunner runner(options.workers(), [this] { stopIfRequestedBeforeLine(); });
    bool firstOverLines = true;
    for (currentPass_ = 0; currentPass_ < passes_.passes_.size(); ++currentPass_) {
        Passes::Pass& pass = passes_.passes_[currentPass_];
        if (pass.lineSource) {
            const std::uint64_t lines = runner.run(*pass.lines, *pass.lineSource, [this] { showShareRead(); });
            linesRead_ = firstOverLines ? lines : linesRead_;
            firstOverLines = false;
            settlePending();
            pass.lineSource.reset();
        } else if (pass.byteSource) {
            pass.bytes(*pass.byteSource);
            pass.byteSource->close();
        }
    }
}

void ConversionJob::showShareRead()
{
    std::uint64_t read = 0;
    std::uint64_t inAll = 0;
    for (std::size_t index = 0; index < passes_.passes_.size(); ++index) {
        const Passes::Pass& pass = passes_.passes_[index];
        inAll += pass.size;
        read += index < currentPass_ ? pass.size : index == currentPass_ ? pass.bytesRead() : 0;
    }
    status_.showInputRead(read, inAll);
}

void ConversionJob::showProgress()
{
    settlePending();
    status_.setPanelText(ProgressPanel, progressText());
}

// The earlier lines' work is done first: had it been done at once, its failure would
// have come before the stop.
void ConversionJob::stop()
{
    settlePending();
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

void ConversionJob::openNextOutput(const std::string& name)
{
    if (output_)
        output_->close();
    outputs_.push_back(files_.createOutput(name, outputWrites()));
    output_ = outputs_.back().get();
}

LineSink& ConversionJob::addOutput(const std::string& name)
{
    outputs_.push_back(files_.createOutput(name, outputWrites()));
    return *outputs_.back();
}

void ConversionJob::leaveAsItWas(const LineSink& output)
{
    if (output_ == &output)
        output_ = nullptr;
    std::erase_if(outputs_, [&](const std::unique_ptr<LineSink>& open) { return open.get() == &output; });
}

void ConversionJob::closeOutputs()
{
    for (auto& output : outputs_)
        output->close();
}

// The outputs and the log's entries go in place as one set.
void ConversionJob::commitOutputs()
{
    CommitSet set(files_.store());
    for (auto& output : outputs_)
        output->addTo(set);
    log_.addTo(set);
    confirmInputsUnchanged();
    set.commit();
    for (auto& output : outputs_)
        output->markCommitted();
    kept_ = set.kept();
}

JobSummary ConversionJob::summary() const
{
    JobSummary summary;
    summary.linesRead = linesRead_;
    for (const auto& output : outputs_)
        summary.filesWritten.push_back({output->targetName(), output->linesWritten()});
    addCounts(summary.counts);
    summary.kept = kept_;
    return summary;
}

} // namespace borvelin
