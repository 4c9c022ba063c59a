// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "adif/ViaCode.h"
#include "jobs/JobSummary.h"
#include "jobs/LineSink.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// QSLVIA.CSV: one line per point found while filling QSL_VIA,
// "qso number;call;qso date;code;message", and last, for every code found, its count:
// "0;;;code;count". Values from the log are written as they stand, but a ";" or a line
// break in them becomes a blank, so that every line keeps its five fields.
class ViaReport {
public:
    static constexpr const char* FileName = "QSLVIA.CSV";

    explicit ViaReport(LineSink& csv) : csv_(csv) {}
    // The message is written from its parts, without a string of its own: a log may have
    // a point for every QSO.
    void point(std::uint64_t qsoNumber, std::string_view call, std::string_view qsoDate, ViaCode code,
               std::initializer_list<std::string_view> message);
    // The count of each code found, after the points.
    void writeCounts();
    std::uint64_t countOf(ViaCode code) const { return counts_[static_cast<std::size_t>(code)]; }
    // The count of each code found, for the job's summary.
    void addCounts(std::vector<JobSummary::Count>& counts) const;

private:
    LineSink& csv_;
    std::string line_; // the line in hand, its room used again
    std::array<std::uint64_t, static_cast<std::size_t>(ViaCode::Count)> counts_{};
};

} // namespace borvelin
