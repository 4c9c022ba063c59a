// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/QslViaFiller.h"

#include "text/Capitals.h"
#include "text/Trimmed.h"

#include <algorithm>
#include <string>

namespace borvelin {

namespace {

bool isLowerCase(std::string_view name)
{
    return std::none_of(name.begin(), name.end(), [](char byte) { return byte >= 'A' && byte <= 'Z'; });
}

} // namespace

// The fields of one QSO that the fill looks at.
struct QslViaFiller::Qso {
    std::uint64_t number = 0;
    const AdiField* call = nullptr;
    const AdiField* date = nullptr;
    const AdiField* via = nullptr;      // the first QSL_VIA that holds more than blanks
    const AdiField* emptyVia = nullptr; // else the first that is there at all
};

QslViaFiller::QslViaFiller(const RouteBook& routes, ByteSink& log, ViaReport& report, FillRoutes fillRoutes)
    : routes_(routes), log_(log), report_(report), fillRoutes_(fillRoutes)
{
}

void QslViaFiller::take(const AdiChunk& chunk, std::uint64_t qsoNumber)
{
    Qso qso;
    qso.number = qsoNumber;
    if (chunk.kind == AdiChunk::Kind::Record) {
        for (const AdiField& field : chunk.fields) {
            if (!qso.call && hasName(field, "CALL"))
                qso.call = &field;
            else if (!qso.date && hasName(field, "QSO_DATE"))
                qso.date = &field;
            else if (!qso.via && hasName(field, "QSL_VIA")) {
                if (!trimmed(field.data, Blanks::SpacesAndTabs).empty())
                    qso.via = &field;
                else if (!qso.emptyVia)
                    qso.emptyVia = &field;
            }
        }
    }
    if (!qso.call) {
        log_.write(chunk.bytes);
        return;
    }
    const ListedRoutes listed = routes_.find(qso.call->data);
    if (qso.via) {
        reportPresentVia(qso, listed);
        log_.write(chunk.bytes);
        return;
    }
    const std::string route = routeFor(qso, listed);
    if (route.empty()) {
        log_.write(chunk.bytes);
        return;
    }
    ++routesAdded_;
    writeWithRoute(chunk, qso, route);
}

void QslViaFiller::point(const Qso& qso, ViaCode code, std::initializer_list<std::string_view> message)
{
    const std::string_view call = trimmed(qso.call->data, Blanks::SpacesAndTabs);
    report_.point(qso.number, call, qso.date ? qso.date->data : std::string_view(), code, message);
}

std::string QslViaFiller::routeFor(const Qso& qso, const ListedRoutes& listed)
{
    const std::string_view call = trimmed(qso.call->data, Blanks::SpacesAndTabs);
    if (!listed.routes) {
        point(qso, ViaCode::NotListed, {"the list does not have ", call});
        return {};
    }
    if (listed.routes->pirate) {
        point(qso, ViaCode::Pirate, {"the list marks ", call, " PIRATE"});
        return {};
    }
    return routeForListed(qso, listed);
}

// The station's lines give one manager at most, and nothing speaks against it.
std::string QslViaFiller::routeForListed(const Qso& qso, const ListedRoutes& listed)
{
    const StationRoutes& routes = *listed.routes;
    if (!routes.malformedManager.empty()) {
        point(qso, ViaCode::Malformed, {"the list gives the manager ", routes.malformedManager, ", which is no call"});
        return {};
    }
    if (routes.managers.size() > 1) {
        std::string managers = routes.managers.front();
        for (std::size_t index = 1; index < routes.managers.size(); ++index) {
            const bool last = index + 1 == routes.managers.size() && !routes.moreManagers;
            managers += (last ? " and " : ", ") + routes.managers[index];
        }
        if (routes.moreManagers)
            managers += " and others";
        point(qso, ViaCode::Conflict, {"the list gives ", managers, " on different lines"});
        return {};
    }
    if (routes.managers.empty()) {
        if (!routes.address.empty())
            point(qso, ViaCode::Direct, {"direct to ", routes.address});
        return {};
    }
    const std::string& manager = routes.managers.front();
    for (const auto& [keyword, notCall] : routes.notRoutes) {
        if (notCall == manager) {
            point(qso, ViaCode::NotVia,
                  {"the list gives ", manager, " and says ", layout::textOf(keyword), " ", notCall});
            return {};
        }
    }
    if (routes_.isPirate(manager)) {
        point(qso, ViaCode::Pirate, {"the list gives ", manager, " and marks ", manager, " PIRATE"});
        return {};
    }
    if (listed.ofTheCall) {
        point(qso, ViaCode::Added, {"QSL_VIA ", manager, " added"});
        return manager;
    }
    if (fillRoutes_ == FillRoutes::Exact) {
        point(qso, ViaCode::Inferred,
              {"QSL_VIA ", manager, " not added, the route of ", listed.listedCall, " (exact calls only)"});
        return {};
    }
    point(qso, ViaCode::Inferred, {"QSL_VIA ", manager, " added, the route of ", listed.listedCall});
    return manager;
}

void QslViaFiller::reportPresentVia(const Qso& qso, const ListedRoutes& listed)
{
    const std::string_view call = trimmed(qso.call->data, Blanks::SpacesAndTabs);
    if (!listed.routes) {
        point(qso, ViaCode::NotListed, {"the list does not have ", call});
        return;
    }
    const StationRoutes& routes = *listed.routes;
    if (routes.pirate)
        point(qso, ViaCode::Pirate, {"the list marks ", call, " PIRATE"});
    const std::string via = capitals(trimmed(qso.via->data, Blanks::SpacesAndTabs));
    for (const auto& [keyword, notCall] : routes.notRoutes) {
        if (notCall != via)
            continue;
        point(qso, ViaCode::NotVia, {"QSL_VIA ", via, ": the list says ", layout::textOf(keyword), " ", notCall});
    }
    const std::string_view manager = routes.manager();
    if (!manager.empty() && manager != via)
        point(qso, ViaCode::Differs, {"QSL_VIA ", via, " left as it was, the list gives ", manager});
}

void QslViaFiller::writeWithRoute(const AdiChunk& chunk, const Qso& qso, std::string_view route)
{
    const std::string length = std::to_string(route.size());
    const std::string_view bytes = chunk.bytes;
    if (qso.emptyVia) {
        const AdiField& field = *qso.emptyVia;
        log_.write(bytes.substr(0, field.lengthBegin));
        log_.write(length);
        log_.write(bytes.substr(field.lengthEnd, field.dataBegin - field.lengthEnd));
        log_.write(route);
        log_.write(bytes.substr(field.dataBegin + field.data.size()));
        return;
    }
    const std::string name = isLowerCase(qso.call->name) ? "qsl_via" : "QSL_VIA";
    log_.write(bytes.substr(0, chunk.closingTag));
    log_.write("<" + name + ":" + length + ">");
    log_.write(route);
    log_.write(bytes.substr(chunk.closingTag));
}

} // namespace borvelin
