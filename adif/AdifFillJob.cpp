// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/AdifFillJob.h"

#include "adif/AdiReader.h"
#include "adif/QslViaFiller.h"
#include "adif/ViaReport.h"
#include "history/HistoryEntry.h"

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

AdifFillJob::AdifFillJob(JobState& state, StatusSink& status, const std::string& logFile, JobFiles& files,
                         FillRoutes fillRoutes)
    : ConversionJob(state, status, files), logFile_(logFile), fillRoutes_(fillRoutes)
{
}

void AdifFillJob::declarePasses(Passes& passes)
{
    passes.overBytes(logFile_, [this](ByteSource& log) { noteCalls(log); });
    passes.overLines(ListFileName, *this);
    passes.overLines(historyfile::FileName, historyLines_, Passes::Input::MayBeMissing);
    passes.overBytes(logFile_, [this](ByteSource& log) { copyWithRoutes(log); });
}

void AdifFillJob::noteCalls(ByteSource& log)
{
    AdiReader checking(log, logFile_);
    for (AdiChunk chunk; checking.next(chunk);) {
        stopIfRequested();
        if (const AdiField* call = chunk.kind == AdiChunk::Kind::Record ? callOf(chunk) : nullptr)
            routes_.noteCall(call->data);
        if (checking.records() % ShareInterval == 0)
            showShareRead();
    }
}

void AdifFillJob::prepare(std::size_t, std::size_t)
{
    routes_.beginList();
}

void AdifFillJob::takeUp(const LineBlock& block)
{
    routes_.takeListLines(block.lines);
}

void AdifFillJob::finish()
{
    routes_.endList();
}

void AdifFillJob::HistoryLines::prepare(std::size_t, std::size_t blocksPerBatch)
{
    read_.resize(blocksPerBatch * PassRunner::BlockLines);
}

std::span<RouteBook::HistoryLine> AdifFillJob::HistoryLines::readOf(const LineBlock& block)
{
    return std::span(read_).subspan(block.index * PassRunner::BlockLines, block.lines.size());
}

void AdifFillJob::HistoryLines::work(std::size_t, const LineBlock& block)
{
    routes_.readHistoryLines(block.lines, readOf(block));
}

void AdifFillJob::HistoryLines::takeUp(const LineBlock& block)
{
    routes_.takeHistoryLines(readOf(block));
}

void AdifFillJob::copyWithRoutes(ByteSource& log)
{
    LineSink& csv = addOutput(ViaReport::FileName);
    AdiReader copying(log, logFile_);
    OutputBytes logBytes(output());
    ViaReport report(csv);
    QslViaFiller filler(routes_, logBytes, report, fillRoutes_);
    for (AdiChunk chunk; copying.next(chunk);) {
        stopIfRequested();
        if (chunk.kind == AdiChunk::Kind::Record) {
            ++state_.RecCount;
            showProgressIfDue();
            if (state_.RecCount % ShareInterval == 0)
                showShareRead();
        }
        filler.take(chunk, copying.records());
    }
    report.writeCounts();
    routesAdded_ = filler.routesAdded();
    pointsWritten_ = csv.linesWritten();
    report.addCounts(codeCounts_);
    if (routesAdded_ == 0)
        leaveAsItWas(output());
}

JobSummary AdifFillJob::summary() const
{
    JobSummary summary = ConversionJob::summary();
    summary.linesRead = state_.RecCount;
    summary.readOne = "QSO";
    summary.readMany = "QSOs";
    summary.filesWritten = {{ViaReport::FileName, pointsWritten_}};
    summary.counts = {{"route added to " + logFile_, "routes added to " + logFile_, routesAdded_}};
    summary.counts.insert(summary.counts.end(), codeCounts_.begin(), codeCounts_.end());
    return summary;
}

} // namespace borvelin
