// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/LineSink.h"

#include <cstdint>
#include <string_view>

namespace borvelin {

// QSLVIA.CSV: one line per point found while filling QSL_VIA,
// "qso number;call;qso date;code;message". Values from the log are written as they
// stand, but a ";" or a line break in them becomes a blank, so that every line keeps
// its five fields.
class ViaReport {
public:
    static constexpr const char* FileName = "QSLVIA.CSV";
    // The codes, one per kind of point.
    static constexpr std::string_view Added = "ADDED";        // a route added
    static constexpr std::string_view Differs = "DIFFERS";    // a QSL_VIA present that is not the list's
    static constexpr std::string_view Pirate = "PIRATE";      // the list marks the station PIRATE
    static constexpr std::string_view NotVia = "NOTVIA";      // a QSL_VIA the list says NOT via
    static constexpr std::string_view NotListed = "UNLISTED"; // the list does not have the station

    explicit ViaReport(LineSink& csv) : csv_(csv) {}
    void point(std::uint64_t qsoNumber, std::string_view call, std::string_view qsoDate, std::string_view code,
               std::string_view message);

private:
    LineSink& csv_;
};

} // namespace borvelin
