// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/LineFacts.h"

#include "check/CallIndex.h"
#include "check/PlainLine.h"
#include "listline/LineLayout.h"
#include "lookup/CallHash.h"

#include <cstring>

namespace borvelin {

namespace {

// 0 stands for "no identity".
std::uint32_t identity(std::uint64_t hash)
{
    const auto folded = static_cast<std::uint32_t>(mixed(hash));
    return folded == 0 ? 1 : folded;
}

// Addresses that differ only in case and blanks are the same address.
std::uint32_t addressRouteId(const ParsedRoute& route)
{
    std::uint64_t hash = hashInCapitals("direct");
    for (std::size_t index = 0; index < route.addressPartCount; ++index) {
        for (const char byte : route.addressParts[index]) {
            if (byte == ' ')
                continue;
            hash ^= static_cast<unsigned char>(inCapitals(byte));
            hash *= 0x100000001b3ULL;
        }
        hash = hashInCapitals(",", hash);
    }
    return identity(hash);
}

// Eight bytes at a time: every line is hashed on both passes.
std::uint32_t lineIdentity(std::string_view line)
{
    line = withoutTrailingBlanks(line);
    std::uint64_t hash = line.size();
    std::size_t at = 0;
    for (; at + 8 <= line.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, line.data() + at, 8);
        hash = (hash ^ word) * 0x9e3779b97f4a7c15ULL;
        hash ^= hash >> 29;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, line.data() + at, line.size() - at);
    hash = (hash ^ tail) * 0x9e3779b97f4a7c15ULL;
    return identity(hash);
}

} // namespace

std::uint32_t managerRouteId(std::string_view call)
{
    return identity(callHash(call) ^ 0x5bd1e9955bd1e995ULL); // apart from a direct address's
}

namespace {

void readCommonFacts(std::string_view line, LineFacts& facts)
{
    facts.firstWord = firstWord(line);
    facts.station = !facts.firstWord.empty() && facts.route.kind != RouteKind::Bureau;
    facts.routeId = 0;
    if (facts.route.kind == RouteKind::Manager || facts.route.kind == RouteKind::HomeCall)
        facts.routeId = facts.route.call.empty() ? 0 : managerRouteId(facts.route.call);
    else if (facts.route.kind == RouteKind::Direct)
        facts.routeId = addressRouteId(facts.route);
    facts.lineId = lineIdentity(line);
    facts.key = facts.firstWord.empty() ? 0 : CallIndex::keyOf(facts.firstWord);
    const bool namesManager = facts.route.kind == RouteKind::Manager && !facts.route.call.empty();
    facts.managerKey = namesManager ? CallIndex::keyOf(facts.route.call) : 0;
}

} // namespace

void readFacts(std::string_view line, const ListEntry& entry, const ParsedRoute& route, LineFacts& facts)
{
    facts.route = route;
    facts.seeAlso = entry.SeeAlsoCall;
    readCommonFacts(line, facts);
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
