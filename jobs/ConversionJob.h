#pragma once

#include "jobs/JobState.h"
#include "jobs/LineReader.h"
#include "jobs/OutputFile.h"
#include "jobs/StatusSink.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// When a job shows its directory and file names: most jobs once both files are open,
// the Buro list before it touches any file.
enum class NamesShown { AfterFilesOpen, BeforeFilesOpen };

// The frame every File conversion shares: job start, read loop, progress display
// and job end. A job supplies its names and its line step.
//
// A job that fails throws JobError and leaves every output file as it was: outputs
// are written beside their targets and replace them only when the whole job is done.
class ConversionJob {
public:
    ConversionJob(JobState& state, StatusSink& status);
    virtual ~ConversionJob();
    ConversionJob(const ConversionJob&) = delete;
    ConversionJob& operator=(const ConversionJob&) = delete;

    void run();

    // Progress is shown whenever the count reaches a whole multiple of this.
    static constexpr std::uint64_t ProgressInterval = 250;
    // Jobs that take every line replace one of this many bytes or fewer by " ".
    static constexpr std::size_t BlankedLineLength = 12;
    // Jobs that filter pass over lines of this many bytes or fewer.
    static constexpr std::size_t SkippedLineLength = 20;

protected:
    virtual std::string inputName() const = 0;
    virtual std::string outputName() const = 0;
    virtual NamesShown namesShown() const { return NamesShown::AfterFilesOpen; }
    virtual void lineStep() = 0;
    virtual std::string progressText() const;
    // Runs once both streams are closed; the outputs are not yet in place.
    virtual void afterStreamsClosed() {}
    // Runs when the job fails, after its outputs were discarded.
    virtual void afterFailure() noexcept {}

    // The filtering jobs' test: is TextLine long enough to be a record?
    bool isRecordLine() const { return state_.TextLine.size() > SkippedLineLength; }
    // The counting jobs' rule: a short TextLine becomes a single space.
    void blankShortLine();
    void showProgressIfDue();
    void writeLine(std::string_view line) { OutStream->writeLine(line); }
    // Room for the next output line of `length` bytes, to be filled in at once.
    char* lineSpace(std::size_t length) { return OutStream->lineSpace(length); }
    // Closes the current output and opens the next one, `name`; all the job's outputs
    // are put in place together when the job ends.
    void openNextOutput(const std::string& name);

    JobState& state_;
    StatusSink& status_;
    std::unique_ptr<LineReader> InStream;
    std::unique_ptr<OutputFile> OutStream;

private:
    void runSteps();
    void abandon() noexcept;
    void showNames();
    void closeOutput();
    void commitOutputs();

    std::vector<OutputFile> completedOutputs_;
};

// The full path of the process's current directory.
std::string currentDirectory();

} // namespace borvelin
