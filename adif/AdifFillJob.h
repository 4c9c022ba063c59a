// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "adif/QslViaFiller.h"
#include "adif/RouteBook.h"
#include "jobs/ConversionJob.h"

#include <cstdint>
#include <string>
#include <vector>

namespace borvelin {

// Fill QSL Via in Log: adds QSL_VIA to the QSOs of an ADIF log (.adi) that lack it, from
// the routes of QSL.TXT, and writes QSLVIA.CSV with every point found. The log is
// replaced only when a route was added, the old one kept beside it as LOG.adi.bak.
//
// Four passes: the log, one QSO at a time, checked whole and its calls noted, so that a
// broken log stops the job before anything is written; QSL.TXT, keeping the routes of
// those calls only (RouteBook); the route history QSLHIST.CSV when there is one, keeping
// the lines of those calls only; the log again, copied with the routes added.
class AdifFillJob : public ConversionJob, private LinePass {
public:
    AdifFillJob(JobState& state, StatusSink& status, const std::string& logFile, JobFiles& files = diskFiles(),
                FillRoutes fillRoutes = FillRoutes::AlsoInferred);

    static constexpr const char* ListFileName = "QSL.TXT";
    static constexpr const char* BackupSuffix = ".bak";
    // The share of the files read is reported after this many QSOs.
    static constexpr std::uint64_t ShareInterval = 4096;

    JobSummary summary() const override;

protected:
    std::string inputName() const override { return logFile_; }
    std::string outputName() const override { return logFile_; }
    std::string backupName() const override { return logFile_ + BackupSuffix; }
    // The log's pieces are many and small: writing them as they come costs less than
    // handing buffers to a thread of their own.
    OutputWrites outputWrites() const override { return OutputWrites::AsTheJobGoes; }
    void declarePasses(Passes& passes) override;

private:
    void noteCalls(ByteSource& log);
    void copyWithRoutes(ByteSource& log);
    // The list's pass.
    void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
    void takeUp(const LineBlock& block) override;
    void finish() override;

    // The history's pass: the lines of the log's calls are found and read on any thread.
    class HistoryLines : public LinePass {
    public:
        explicit HistoryLines(RouteBook& routes) : routes_(routes) {}
        bool worksOnBlocks() const override { return true; }
        void prepare(std::size_t, std::size_t blocksPerBatch) override;
        void work(std::size_t, const LineBlock& block) override;
        void takeUp(const LineBlock& block) override;
        void finish() override { routes_.endHistory(); }

    private:
        std::span<RouteBook::HistoryLine> readOf(const LineBlock& block);

        RouteBook& routes_;
        std::vector<RouteBook::HistoryLine> read_; // of the batch's lines
    };

    std::string logFile_;
    FillRoutes fillRoutes_;
    RouteBook routes_;
    HistoryLines historyLines_{routes_};
    std::uint64_t routesAdded_ = 0;
    std::uint64_t pointsWritten_ = 0;
    std::vector<JobSummary::Count> codeCounts_;
};

} // namespace borvelin
