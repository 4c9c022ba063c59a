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

ConversionJob::ConversionJob(JobState& state, StatusSink& status) : state_(state), status_(status) {}

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
    InStream.reset();
    OutStream.reset();
    completedOutputs_.clear();
    afterFailure();
}

void ConversionJob::runSteps()
{
    state_.InFileName = inputName();
    state_.OutFileName = outputName();
    state_.CurrentDir = currentDirectory();
    if (namesShown() == NamesShown::BeforeFilesOpen)
        showNames();
    state_.RecCount = 0;
    InStream = std::make_unique<LineReader>(state_.InFileName);
    OutStream = std::make_unique<OutputFile>(state_.OutFileName);
    if (namesShown() == NamesShown::AfterFilesOpen)
        showNames();

    while (InStream->readLine(state_.TextLine)) {
        stopIfRequested();
        lineStep();
    }

    status_.setPanelText(ProgressPanel, progressText());
    InStream->close();
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

void ConversionJob::blankShortLine()
{
    if (state_.TextLine.size() <= BlankedLineLength)
        state_.TextLine.assign(1, ' ');
}

void ConversionJob::showProgressIfDue()
{
    if (state_.RecCount % ProgressInterval == 0)
        status_.setPanelText(ProgressPanel, progressText());
}

void ConversionJob::closeOutput()
{
    if (!OutStream)
        return;
    OutStream->close();
    completedOutputs_.push_back(std::move(*OutStream));
    OutStream.reset();
}

void ConversionJob::openNextOutput(const std::string& name)
{
    closeOutput();
    OutStream = std::make_unique<OutputFile>(name);
}

void ConversionJob::commitOutputs()
{
    closeOutput();
    for (auto& output : completedOutputs_)
        output.commit();
    completedOutputs_.clear();
}

} // namespace borvelin
