// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace borvelin {

// What Fill QSL Via found for a QSO: the codes of QSLVIA.CSV, and whether each writes a
// route into the log.
enum class ViaCode : unsigned char {
    Added,     // the route the list gives the station, added
    Inferred,  // a route taken from the lines of another form of the call (its home call)
    Dated,     // the manager the history gives for the QSO's month, added
    Earlier,   // the history's earliest manager, added for a QSO before every line of it
    Differs,   // a QSL_VIA there that is not the list's, left as it was
    Pirate,    // the station, or the manager the list gives it, is listed as PIRATE
    NotVia,    // a line of the station says NOT via that manager
    Malformed, // the manager the list gives is no call
    Conflict,  // the station's lines give different managers, or the history two in the QSO's month
    Direct,    // the station takes its cards direct, to the address in the message
    NotListed, // the list does not have the station
    Count
};

struct ViaCodeText {
    ViaCode code;
    std::string_view text; // as QSLVIA.CSV writes it
};

constexpr std::array<ViaCodeText, static_cast<std::size_t>(ViaCode::Count)> ViaCodes = {{
    {ViaCode::Added, "ADDED"},
    {ViaCode::Inferred, "INFERRED"},
    {ViaCode::Dated, "DATED"},
    {ViaCode::Earlier, "EARLIER"},
    {ViaCode::Differs, "DIFFERS"},
    {ViaCode::Pirate, "PIRATE"},
    {ViaCode::NotVia, "NOTVIA"},
    {ViaCode::Malformed, "MALFORMED"},
    {ViaCode::Conflict, "CONFLICT"},
    {ViaCode::Direct, "DIRECT"},
    {ViaCode::NotListed, "UNLISTED"},
}};

constexpr bool viaCodesInOrder()
{
    for (std::size_t index = 0; index < ViaCodes.size(); ++index)
        if (ViaCodes[index].code != static_cast<ViaCode>(index))
            return false;
    return true;
}
static_assert(viaCodesInOrder(), "ViaCodes lists every code once, in order");

constexpr std::string_view textOf(ViaCode code)
{
    return ViaCodes[static_cast<std::size_t>(code)].text;
}

} // namespace borvelin
