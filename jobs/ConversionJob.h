// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/CommitSet.h"
#include "jobs/FileStore.h"
#include "jobs/JobError.h"
#include "jobs/JobFiles.h"
#include "jobs/JobState.h"
#include "jobs/JobSummary.h"
#include "jobs/LineSink.h"
#include "jobs/LineSource.h"
#include "jobs/StatusSink.h"
#include "jobs/StopRequest.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// When a job shows its directory and file names: most jobs once both files are open,
// the Buro list before it touches any file.
enum class NamesShown { AfterFilesOpen, BeforeFilesOpen };

// The frame every File conversion shares: job start, read loop, progress display
// and job end. A job supplies its names and its line step; the frame reads the lines
// from its JobFiles and writes the job's outputs there.
//
// A job that fails throws JobError and leaves every output as it was: outputs are
// written beside their targets and replace them only when the whole job is done, all in
// one commit (CommitSet). The job holds its folder's lock from start to end, so that no
// other program writes there meanwhile.
class ConversionJob {
public:
    ConversionJob(JobState& state, StatusSink& status, JobFiles& files = diskFiles());
    virtual ~ConversionJob();
    ConversionJob(const ConversionJob&) = delete;
    ConversionJob& operator=(const ConversionJob&) = delete;

    void run();
    // What the job read and wrote, once it has succeeded.
    JobSummary summary() const;

    // Lines are read this many at a time, or as many as the input's buffer holds.
    static constexpr std::size_t LinesPerBatch = 16384;
    // Progress is shown whenever the count reaches a whole multiple of this.
    static constexpr std::uint64_t ProgressInterval = 250;
    // Jobs that take every line replace one of this many bytes or fewer by " ".
    static constexpr std::size_t BlankedLineLength = 12;
    // Jobs that filter pass over lines of this many bytes or fewer.
    static constexpr std::size_t SkippedLineLength = 20;

    // The counting jobs' rule: a short line becomes a single space.
    static std::string_view blankShortLine(std::string_view textLine)
    {
        return textLine.size() <= BlankedLineLength ? std::string_view(" ") : textLine;
    }

protected:
    virtual std::string inputName() const = 0;
    virtual std::string outputName() const = 0;
    virtual NamesShown namesShown() const { return NamesShown::AfterFilesOpen; }
    virtual OutputWrites outputWrites() const { return OutputWrites::Behind; }
    // The name the output's target is kept under when the job replaces it; empty when
    // the replaced target is not kept.
    virtual std::string backupName() const { return {}; }
    // Takes one line of the input and gives back the line as the step leaves it (the
    // job state's TextLine): the line itself, or one the step put in its place, valid
    // until the next step.
    virtual std::string_view lineStep(std::string_view textLine) = 0;
    // Takes a batch of lines, at most LinesPerBatch, and gives back the last as its step
    // left it. One line step after the other, unless a job takes them otherwise.
    virtual std::string_view batchStep(std::span<const std::string_view> lines);
    virtual std::string progressText() const;
    // Completes what the line steps so far have left to do later. The frame calls it
    // before it shows progress, after the last line, and before it stops at a stop request.
    virtual void finishLines() {}
    // Runs once the whole input is read, while the output is still open: for a job that
    // writes only after it has seen every line.
    virtual void afterInputRead() {}
    // Runs once both streams are closed; the outputs are not yet in place.
    virtual void afterStreamsClosed() {}
    // Runs when every output is complete, just before they are put in place: the job
    // adds what belongs with them (its log entries) to `set`. A failure here fails the
    // job and leaves the outputs as they were.
    virtual void beforeCommit(CommitSet& set) { (void)set; }
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
    void writeLine(std::string_view line) { output_->writeLine(line); }
    // Room for the next output line of `length` bytes, to be filled in at once.
    char* lineSpace(std::size_t length) { return output_->lineSpace(length); }
    // Closes the current output and opens the next one, `name`; all the job's outputs
    // are put in place together when the job ends.
    void openNextOutput(const std::string& name);
    // Where the job's files are, for a job that reads a second input.
    JobFiles& files() { return files_; }

    JobState& state_;
    StatusSink& status_;

private:
    void runSteps();
    void readLoop();
    void showProgress();
    void stop();
    void abandon() noexcept;
    void showNames();
    void closeOutput();
    void commitOutputs();
    void reportInputRead();
    JobError placed(const JobError& error) const;

    JobFiles& files_;
    std::unique_ptr<FolderLock> folderLock_; // while the job runs
    std::uint64_t linesRead_ = 0;
    std::unique_ptr<LineSource> input_;
    std::unique_ptr<LineSink> output_;
    std::vector<std::unique_ptr<LineSink>> completedOutputs_;
    std::vector<KeptBackup> kept_;
};

// The full path of the process's current directory.
std::string currentDirectory();

} // namespace borvelin
