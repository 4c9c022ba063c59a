// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/LineFacts.h"

#include "calls/CallHash.h"
#include "check/CallRecord.h"
#include "check/PlainLine.h"
#include "listline/CallShape.h"
#include "listline/LineLayout.h"
#include "text/Trimmed.h"

#include <array>
#include <cstring>

namespace borvelin {

namespace {

// 0 stands for "no identity".
std::uint32_t identity(std::uint64_t hash)
{
    const auto folded = static_cast<std::uint32_t>(hash >> 32);
    return folded == 0 ? 1 : folded;
}

// Addresses that differ only in case and blanks are the same address: their bytes
// without blanks, each part followed by ",", are hashed a bufferful at a time.
std::uint32_t addressRouteId(const LineRoute& route)
{
    std::array<char, 256> bytes;
    std::size_t used = 0;
    std::uint64_t hash = callHash("direct");
    const auto put = [&](char byte) {
        if (used == bytes.size()) {
            hash = callHash(std::string_view(bytes.data(), used), hash);
            used = 0;
        }
        bytes[used++] = byte;
    };
    for (std::size_t index = 0; index < route.addressPartCount; ++index) {
        for (const char byte : route.addressParts[index])
            if (byte != ' ')
                put(byte);
        put(',');
    }
    return identity(callHash(std::string_view(bytes.data(), used), hash));
}

// The line's bytes as they are, without its trailing blanks: every line is hashed on
// both passes.
std::uint32_t lineIdentity(std::string_view line)
{
    return identity(bytesHash(withoutTrailingSpaces(line)));
}

// The route "QSL via" a call of this hash.
std::uint32_t managerRouteIdOf(std::uint64_t hash)
{
    return identity(hash ^ 0x5bd1e9955bd1e995ULL); // apart from a direct address's
}

} // namespace

std::uint32_t managerRouteId(std::string_view call)
{
    return managerRouteIdOf(callHash(call));
}

namespace {

void readCommonFacts(std::string_view line, LineFacts& facts)
{
    facts.firstWord = firstWord(line);
    facts.station = !facts.firstWord.empty() && facts.route.kind != RouteKind::Bureau;
    facts.routeId = 0;
    facts.managerKey = 0;
    const RouteKind kind = facts.route.kind;
    if ((kind == RouteKind::Manager || kind == RouteKind::HomeCall) && !facts.route.call.empty()) {
        const std::uint64_t hash = callHash(facts.route.call); // once for both
        facts.routeId = managerRouteIdOf(hash);
        if (kind == RouteKind::Manager)
            facts.managerKey = callKeyOfHash(hash);
    } else if (kind == RouteKind::Direct) {
        facts.routeId = addressRouteId(facts.route);
    }
    facts.lineId = lineIdentity(line);
    facts.key = facts.firstWord.empty() ? 0 : callKey(facts.firstWord);
}

} // namespace

void readFacts(std::string_view line, const ListEntry& entry, const LineRoute& route, LineFacts& facts)
{
    facts.route = route;
    facts.seeAlso = entry.SeeAlsoCall;
    readCommonFacts(line, facts);
}

bool namesOtherManager(const LineFacts& facts)
{
    return facts.station && facts.route.kind == RouteKind::Manager && !facts.route.call.empty() &&
           !equalInCapitals(facts.route.call, facts.firstWord);
}

SurveyFacts surveyFactsOf(const LineFacts& facts)
{
    SurveyFacts survey;
    if (callshape::isWellFormedCall(facts.seeAlso))
        survey.seeAlsoKey = callKey(callshape::homeCallPartOf(facts.seeAlso));
    if (facts.firstWord.empty())
        return survey;
    survey.key = facts.key;
    // Without a "/" a call is its own home call.
    const bool portable = facts.firstWord.find('/') != std::string_view::npos;
    survey.homeKey = portable ? callKey(callshape::homeCallPartOf(facts.firstWord)) : facts.key;
    survey.managerKey = namesOtherManager(facts) ? facts.managerKey : 0;
    survey.routeId = facts.routeId;
    survey.lineId = facts.lineId;
    survey.kind = facts.route.kind;
    survey.station = facts.station;
    if (facts.route.kind == RouteKind::NotVia && !facts.route.call.empty())
        survey.notViaId = managerRouteId(facts.route.call);
    return survey;
}

void readPlainFacts(std::string_view line, std::string_view manager, LineFacts& facts)
{
    facts.route.kind = RouteKind::Manager;
    facts.route.call = manager;
    facts.route.addressPartCount = 0;
    facts.seeAlso = {};
    readCommonFacts(line, facts);
}

} // namespace borvelin
