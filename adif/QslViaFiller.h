// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "adif/AdiReader.h"
#include "adif/RouteBook.h"
#include "adif/ViaReport.h"
#include "jobs/ByteSource.h"

#include <cstdint>

namespace borvelin {

// Writes a log's pieces as they are, adding QSL_VIA to the QSOs that lack it (or have
// it empty) when the list gives the station a route, and reports what it finds.
//
// The field is added right before the QSO's <EOR>, its name in the case of the QSO's
// CALL tag. A QSL_VIA that is there but empty is filled in its place instead, so that
// the QSO does not hold the field twice: only its length changes, and the route follows.
// Every other byte stays as it was.
class QslViaFiller {
public:
    QslViaFiller(const RouteBook& routes, ByteSink& log, ViaReport& report);

    void take(const AdiChunk& chunk, std::uint64_t qsoNumber);
    std::uint64_t routesAdded() const { return routesAdded_; }

private:
    struct Qso;
    void reportPoints(const Qso& qso, const StationRoutes& routes, std::uint64_t qsoNumber);
    void writeWithRoute(const AdiChunk& chunk, const Qso& qso, std::string_view route);

    const RouteBook& routes_;
    ByteSink& log_;
    ViaReport& report_;
    std::uint64_t routesAdded_ = 0;
};

} // namespace borvelin
