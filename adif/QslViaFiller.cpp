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
    const AdiField* call = nullptr;
    const AdiField* date = nullptr;
    const AdiField* via = nullptr;      // the first QSL_VIA that holds more than blanks
    const AdiField* emptyVia = nullptr; // else the first that is there at all
};

QslViaFiller::QslViaFiller(const RouteBook& routes, ByteSink& log, ViaReport& report)
    : routes_(routes), log_(log), report_(report)
{
}

void QslViaFiller::take(const AdiChunk& chunk, std::uint64_t qsoNumber)
{
    Qso qso;
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
    const StationRoutes* routes = qso.call ? routes_.find(qso.call->data) : nullptr;
    if (qso.call)
        reportPoints(qso, routes ? *routes : StationRoutes{}, qsoNumber);
    if (routes && !qso.via && !routes->manager.empty()) {
        ++routesAdded_;
        writeWithRoute(chunk, qso, routes->manager);
        return;
    }
    log_.write(chunk.bytes);
}

void QslViaFiller::reportPoints(const Qso& qso, const StationRoutes& routes, std::uint64_t qsoNumber)
{
    const std::string_view call = trimmed(qso.call->data, Blanks::SpacesAndTabs);
    const std::string_view date = qso.date ? qso.date->data : std::string_view();
    const auto point = [&](std::string_view code, const std::string& message) {
        report_.point(qsoNumber, call, date, code, message);
    };
    if (!routes.listed) {
        point(ViaReport::NotListed, "the list does not have " + std::string(call));
        return;
    }
    if (routes.pirate)
        point(ViaReport::Pirate, "the list marks " + std::string(call) + " PIRATE");
    if (!qso.via) {
        if (!routes.manager.empty())
            point(ViaReport::Added, "QSL_VIA " + routes.manager + " added");
        return;
    }
    const std::string via = capitals(trimmed(qso.via->data, Blanks::SpacesAndTabs));
    for (const auto& [keyword, notCall] : routes.notRoutes) {
        if (notCall != via)
            continue;
        std::string message = "QSL_VIA " + via + ": the list says ";
        message.append(layout::textOf(keyword)).append(" ").append(notCall);
        point(ViaReport::NotVia, message);
    }
    if (!routes.manager.empty() && routes.manager != via)
        point(ViaReport::Differs, "QSL_VIA " + via + " left as it was, the list gives " + routes.manager);
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
