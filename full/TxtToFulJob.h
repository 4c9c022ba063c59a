// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"

namespace borvelin {

// Convert TXT to FUL: every manager-list line longer than 20 bytes becomes a FUL record
// of three lines: the marker "&&", the line's first word, the line itself.
class TxtToFulJob : public ConversionJob {
public:
    using ConversionJob::ConversionJob;

    static constexpr std::string_view RecordMarker = "&&";

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return "QSL.FUL"; }
    void lineStep(std::string_view textLine) override;
    // The short lines it left out.
    void addCounts(std::vector<JobSummary::Count>& counts) const override;

private:
    std::uint64_t shortLines_ = 0;
};

} // namespace borvelin
