// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cluster/LinesByCall.h"
#include "jobs/ConversionJob.h"

#include <cstddef>
#include <string_view>

namespace borvelin {

// Export for DX Cluster: QSL.TXT as QSLCLU.FUL, the file a cluster node's database
// imports whole. A node reads a key line, then value lines, and stores the record when a
// line starts with "&&", a record replacing an earlier one of the same key. So each call
// (the first word, in capitals) gets one record: the call, every line of that call
// longer than 20 bytes in list order, then "&&", the last record included. Records
// follow in call order; grouping a call's lines from anywhere in the list takes a sort,
// done in bounded memory (LinesByCall).
//
// Lines that would break a record are left out: those with no call (beginning with a
// blank) and those beginning with the marker itself.
class ClusterExportJob : public ConversionJob {
public:
    ClusterExportJob(JobState& state, StatusSink& status, JobFiles& files = diskFiles(),
                     std::size_t runBytes = LinesByCall::DefaultRunBytes);

    static constexpr std::string_view RecordEnd = "&&";

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return "QSLCLU.FUL"; }
    void lineStep(std::string_view textLine) override;
    void writeGathered() override;
    // The calls, one record each.
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    LinesByCall lines_;
    std::uint64_t calls_ = 0;
};

} // namespace borvelin
