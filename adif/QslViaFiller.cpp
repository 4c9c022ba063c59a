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

// The month of a QSO_DATE, YYYYMMDD, as YYYYMM; -1 for a date that is none.
std::int32_t qsoMonthOf(std::string_view date)
{
    date = trimmed(date, Blanks::SpacesAndTabs);
    if (date.size() != 8 ||
        !std::all_of(date.begin(), date.end(), [](char byte) { return byte >= '0' && byte <= '9'; }))
        return -1;
    const std::int32_t month = (date[4] - '0') * 10 + (date[5] - '0');
    if (month < 1 || month > 12)
        return -1;
    return ((date[0] - '0') * 1000 + (date[1] - '0') * 100 + (date[2] - '0') * 10 + (date[3] - '0')) * 100 + month;
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
    const Dated dated = datedFor(qso);
    if (qso.via) {
        reportPresentVia(qso, listed, dated);
        log_.write(chunk.bytes);
        return;
    }
    const std::string route = dated.holds() ? routeForDated(qso, listed, dated) : routeFor(qso, listed);
    if (route.empty()) {
        log_.write(chunk.bytes);
        return;
    }
    ++routesAdded_;
    writeWithRoute(chunk, qso, route);
}

// A QSO without a date, or of a call without history, is filled from the list.
QslViaFiller::Dated QslViaFiller::datedFor(const Qso& qso) const
{
    const std::int32_t month = qso.date ? qsoMonthOf(qso.date->data) : -1;
    if (month < 0)
        return {};
    const HistoryOfCall history = routes_.findHistory(qso.call->data, fillRoutes_ == FillRoutes::Exact);
    return {history, managerInForce(history.lines, month)};
}

std::string QslViaFiller::historyGives(const Dated& dated) const
{
    std::string text = "the history";
    if (!dated.history.ofTheCall)
        text.append(" of ").append(dated.history.call);
    text.append(" gives ").append(managersWithSources(dated.inForce.month, routes_.historySources()));
    text.append(" ").append(monthPhrase(monthOf(dated.inForce.month.front().date)));
    return text;
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

// The manager of the history's month holds, and nothing the list says speaks against it.
std::string QslViaFiller::routeForDated(const Qso& qso, const ListedRoutes& listed, const Dated& dated)
{
    if (dated.inForce.kind == ManagerInForce::Kind::Conflict) {
        point(qso, ViaCode::Conflict, {historyGives(dated)});
        return {};
    }
    const std::string_view call = trimmed(qso.call->data, Blanks::SpacesAndTabs);
    if (listed.routes && listed.routes->pirate) {
        point(qso, ViaCode::Pirate, {"the list marks ", call, " PIRATE"});
        return {};
    }
    std::string manager(dated.inForce.month.front().manager.view());
    const auto saysNotVia = [&manager](const auto& notRoute) { return notRoute.second == manager; };
    if (listed.routes) {
        const auto& notRoutes = listed.routes->notRoutes;
        if (const auto notRoute = std::find_if(notRoutes.begin(), notRoutes.end(), saysNotVia);
            notRoute != notRoutes.end()) {
            point(qso, ViaCode::NotVia,
                  {historyGives(dated), " and the list says ", layout::textOf(notRoute->first), " ", manager});
            return {};
        }
    }
    if (routes_.isPirate(manager)) {
        point(qso, ViaCode::Pirate, {historyGives(dated), " and the list marks ", manager, " PIRATE"});
        return {};
    }
    const bool earlier = dated.inForce.kind == ManagerInForce::Kind::Earlier;
    point(qso, earlier ? ViaCode::Earlier : ViaCode::Dated,
          {"QSL_VIA ", manager, " added, ", historyGives(dated), earlier ? ", its earliest month" : ""});
    return manager;
}

void QslViaFiller::reportPresentVia(const Qso& qso, const ListedRoutes& listed, const Dated& dated)
{
    const std::string_view call = trimmed(qso.call->data, Blanks::SpacesAndTabs);
    if (!listed.routes && !dated.holds()) {
        point(qso, ViaCode::NotListed, {"the list does not have ", call});
        return;
    }
    const std::string via = capitals(trimmed(qso.via->data, Blanks::SpacesAndTabs));
    if (listed.routes) {
        const StationRoutes& routes = *listed.routes;
        if (routes.pirate)
            point(qso, ViaCode::Pirate, {"the list marks ", call, " PIRATE"});
        for (const auto& [keyword, notCall] : routes.notRoutes) {
            if (notCall != via)
                continue;
            point(qso, ViaCode::NotVia, {"QSL_VIA ", via, ": the list says ", layout::textOf(keyword), " ", notCall});
        }
    }
    if (dated.holds()) {
        // Of a month with two managers, neither is the one to compare with.
        if (dated.inForce.kind != ManagerInForce::Kind::Conflict && dated.inForce.month.front().manager.view() != via)
            point(qso, ViaCode::Differs, {"QSL_VIA ", via, " left as it was, ", historyGives(dated)});
        return;
    }
    const std::string_view manager = listed.routes->manager();
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
