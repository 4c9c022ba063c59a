// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/LineFacts.h"

#include "listline/LineLayout.h"
#include "lookup/CallHash.h"

namespace borvelin {

namespace {

// 0 stands for "no identity".
std::uint32_t identity(std::uint64_t hash)
{
    const auto folded = static_cast<std::uint32_t>(mixed(hash));
    return folded == 0 ? 1 : folded;
}

// Addresses that differ only in case and blanks are the same address.
std::uint32_t addressRouteId(const LineRoute& route)
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

std::uint32_t lineIdentity(std::string_view line)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char byte : line.substr(0, line.find_last_not_of(' ') + 1)) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ULL;
    }
    return identity(hash);
}

} // namespace

std::uint32_t managerRouteId(std::string_view call)
{
    return identity(hashInCapitals(call, hashInCapitals("via ")));
}

LineFacts factsOf(std::string_view line, const LineRoute& route)
{
    LineFacts facts;
    facts.firstWord = firstWord(line);
    facts.station = !facts.firstWord.empty() && route.kind != RouteKind::Bureau;
    facts.route = route;
    if (route.kind == RouteKind::Manager || route.kind == RouteKind::HomeCall)
        facts.routeId = route.call.empty() ? 0 : managerRouteId(route.call);
    else if (route.kind == RouteKind::Direct)
        facts.routeId = addressRouteId(route);
    facts.lineId = lineIdentity(line);
    return facts;
}

} // namespace borvelin
