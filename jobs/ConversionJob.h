// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ByteSource.h"
#include "jobs/CommitSet.h"
#include "jobs/FailureLog.h"
#include "jobs/FileStore.h"
#include "jobs/JobError.h"
#include "jobs/JobFiles.h"
#include "jobs/JobOptions.h"
#include "jobs/JobState.h"
#include "jobs/JobSummary.h"
#include "jobs/LinePass.h"
#include "jobs/LineSink.h"
#include "jobs/LineSource.h"
#include "jobs/PassRunner.h"
#include "jobs/StatusSink.h"
#include "jobs/StopRequest.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// When a job shows its directory and file names: most jobs once both files are open,
// the Buro list before it touches any file.
enum class NamesShown { AfterFilesOpen, BeforeFilesOpen };

// The frame every File conversion shares. A job declares its passes (the input each
// reads, the work on a block of lines on any thread, the taking up of a block in the
// list's order) and its outputs; the frame opens the inputs, runs the passes on as many
// threads as the options give, shows the progress, stops at a stop request, and puts
// the outputs and the failure log's entries in place together when every pass is done.
//
// A job that fails throws JobError and leaves every output as it was: outputs are
// written beside their targets and replace them only when the whole job is done, all in
// one commit (CommitSet) with the failure log's entries. The job holds its folder's lock
// from start to end, so that no other program writes there meanwhile.
class ConversionJob {
public:
    ConversionJob(JobState& state, StatusSink& status, JobFiles& files = diskFiles());
    virtual ~ConversionJob();
    ConversionJob(const ConversionJob&) = delete;
    ConversionJob& operator=(const ConversionJob&) = delete;

    void run(const JobOptions& options = {});
    // What the job read and wrote, once it has succeeded.
    virtual JobSummary summary() const;

    // Lines are read this many at a time, or as many as the input's buffer holds.
    static constexpr std::size_t LinesPerBatch = PassRunner::LinesPerBatch;
    // Progress is shown whenever the count reaches a whole multiple of this.
    static constexpr std::uint64_t ProgressInterval = 250;
    // Jobs that filter pass over lines of this many bytes or fewer.
    static constexpr std::size_t SkippedLineLength = 20;

protected:
    // The passes a job declares, in the order they run. Every input is opened before the
    // first pass, so that the share read runs over all of them.
    class Passes {
    public:
        enum class Input { Required, MayBeMissing };
        // A pass over the lines of `input`; one that may be missing is passed over then.
        void overLines(std::string input, LinePass& pass, Input required = Input::Required);
        // A pass over the bytes of `input`, which `read` reads itself.
        void overBytes(std::string input, std::function<void(ByteSource&)> read);

    private:
        friend class ConversionJob;
        struct Pass {
            std::string input;
            Input required = Input::Required;
            LinePass* lines = nullptr;
            std::function<void(ByteSource&)> bytes;
            std::unique_ptr<LineSource> lineSource;
            std::unique_ptr<ByteSource> byteSource;
            std::uint64_t size = 0; // of the input, once it is open
            std::uint64_t bytesRead() const;
        };
        std::vector<Pass> passes_;
    };

    // The input shown in the status bar, and read by the one pass a job declares unless
    // it declares others.
    virtual std::string inputName() const = 0;
    // The first output, created once the inputs are open.
    virtual std::string outputName() const = 0;
    virtual NamesShown namesShown() const { return NamesShown::AfterFilesOpen; }
    virtual OutputWrites outputWrites() const { return OutputWrites::Behind; }
    // The name the first output's target is kept under when the job replaces it; empty
    // when the replaced target is not kept.
    virtual std::string backupName() const { return {}; }
    // Declares the job's passes: by default one over inputName(), each line to lineStep.
    virtual void declarePasses(Passes& passes);
    // Takes one line of the default pass.
    virtual void lineStep(std::string_view textLine) { (void)textLine; }
    // Writes what the job gathered from its passes, once every pass is done and its
    // progress shown, while the output is still open.
    virtual void writeGathered() {}
    // Completes what the lines taken so far have left to do later (the count a few
    // records late). The frame calls it before it shows progress, after the last line,
    // and before it stops at a stop request, so that what was due comes first.
    virtual void settlePending() {}
    virtual std::string progressText() const;
    // The progress panel once every line is read.
    virtual std::string doneText() const { return progressText(); }
    // Fails when an input is no longer what the passes read; the frame asks just before
    // the outputs are put in place, so that nothing is written from two different lists.
    virtual void confirmInputsUnchanged() {}
    // The job's own figures for its summary.
    virtual void addCounts(std::vector<JobSummary::Count>& counts) const { (void)counts; }

    // The filtering jobs' test: is the line long enough to be a record?
    static bool isRecordLine(std::string_view line) { return line.size() > SkippedLineLength; }
    // Stops the job before the next line when a stop was requested.
    void stopIfRequestedBeforeLine()
    {
        if (stopRequested())
            stop();
    }
    void showProgressIfDue()
    {
        if (state_.RecCount % ProgressInterval == 0)
            showProgress();
    }
    // The share of every pass's input read so far, for a pass that reads bytes.
    void showShareRead();
    void writeLine(std::string_view line) { output_->writeLine(line); }
    // Room for the next output line of `length` bytes, to be filled in at once.
    char* lineSpace(std::size_t length) { return output_->lineSpace(length); }
    // The output lines go to, for a job that writes bytes.
    LineSink& output() { return *output_; }
    // Closes the current output and opens the next one, `name`.
    void openNextOutput(const std::string& name);
    // Opens another output beside the current one, open until the job ends.
    LineSink& addOutput(const std::string& name);
    // Leaves the target of `output` as it was: the job has nothing to change in it.
    void leaveAsItWas(const LineSink& output);
    // An entry of the failure log BORVELIN.LOG, put in place with the outputs.
    void logFailure(std::string_view line, std::string_view message) { log_.logFailure(line, message); }
    std::uint64_t entriesLogged() const { return log_.entries(); }
    // Where the job's files are.
    JobFiles& files() { return files_; }

    JobState& state_;
    StatusSink& status_;

private:
    class LineSteps;

    void runSteps(const JobOptions& options);
    void openInputs();
    void runPasses(const JobOptions& options);
    void showProgress();
    void stop();
    void abandon() noexcept;
    void showNames();
    void closeOutputs();
    void commitOutputs();
    JobError placed(const JobError& error) const;

    JobFiles& files_;
    std::unique_ptr<FolderLock> folderLock_; // while the job runs
    std::uint64_t linesRead_ = 0;            // of the first pass over lines
    Passes passes_;
    std::size_t currentPass_ = 0;
    std::unique_ptr<LineSteps> lineSteps_;
    std::vector<std::unique_ptr<LineSink>> outputs_; // in the order they were opened
    LineSink* output_ = nullptr;                     // where the lines go
    FailureLog log_;
    std::vector<KeptBackup> kept_;
};

// The full path of the process's current directory.
std::string currentDirectory();

} // namespace borvelin
