// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "adif/AdiReader.h"
#include "adif/RouteBook.h"
#include "adif/ViaReport.h"
#include "history/ManagerInForce.h"
#include "jobs/ByteSource.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace borvelin {

// Which routes the fill may write.
enum class FillRoutes {
    AlsoInferred, // a route of another form of the call (its home call) as well, as INFERRED
    Exact,        // only the routes of the call's own lines
};

// Writes a log's pieces as they are, adding QSL_VIA to the QSOs that lack it (or have
// it empty) when the list gives the station one route it does not contradict, and
// reports what it finds.
//
// No route is written that the list speaks against: a station or a manager listed as
// PIRATE, a manager a line of the station says NOT via (NOT MORE, NOT LONGER), a manager
// that is no call, or a station whose lines give different managers; each is reported
// instead, as is a station that takes its cards direct.
//
// A QSO dated before the newest month of its call's history gets the manager in force
// in its month instead (ManagerInForce), under the same rules: DATED, EARLIER before
// every line, and CONFLICT when that month has two managers.
//
// The field is added right before the QSO's <EOR>, its name in the case of the QSO's
// CALL tag. A QSL_VIA that is there but empty is filled in its place instead, so that
// the QSO does not hold the field twice: only its length changes, and the route follows.
// Every other byte stays as it was.
class QslViaFiller {
public:
    QslViaFiller(const RouteBook& routes, ByteSink& log, ViaReport& report, FillRoutes fillRoutes);

    void take(const AdiChunk& chunk, std::uint64_t qsoNumber);
    std::uint64_t routesAdded() const { return routesAdded_; }

private:
    struct Qso;
    // What the history says of a QSO: the lines of its call and the month that holds.
    struct Dated {
        HistoryOfCall history;
        ManagerInForce inForce;
        bool holds() const { return inForce.kind != ManagerInForce::Kind::ListHolds; }
    };
    Dated datedFor(const Qso& qso) const;
    // "the history gives Q2OLD (LISTA.CSV) in 2012-05", of the month that holds.
    std::string historyGives(const Dated& dated) const;
    // The route to add to a QSO without QSL_VIA, or nothing; every point reported.
    std::string routeFor(const Qso& qso, const ListedRoutes& listed);
    std::string routeForListed(const Qso& qso, const ListedRoutes& listed);
    std::string routeForDated(const Qso& qso, const ListedRoutes& listed, const Dated& dated);
    void reportPresentVia(const Qso& qso, const ListedRoutes& listed, const Dated& dated);
    void point(const Qso& qso, ViaCode code, std::initializer_list<std::string_view> message);
    void writeWithRoute(const AdiChunk& chunk, const Qso& qso, std::string_view route);

    const RouteBook& routes_;
    ByteSink& log_;
    ViaReport& report_;
    FillRoutes fillRoutes_;
    std::uint64_t routesAdded_ = 0;
};

} // namespace borvelin
