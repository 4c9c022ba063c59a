// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace borvelin {

// A NOT route as QSL.CSV writes it: its value is the digit of the record.
enum class NotRoute : std::uint8_t { None = 0, NotVia = 1, NotLonger = 2, NotMore = 3 };

// The 18 values List of 25+ cuts from one manager-list line, in their QSL.CSV order.
// The texts are views into the line they were cut from, valid as long as it is: a
// record is written before the next line is read.
struct ListEntry {
    std::string_view DxCall;
    std::string_view CallPrefix;
    std::string_view MgrCall;
    std::string_view SeeAlsoCall;
    bool PirateFlag = false;
    bool NewMgrFlag = false;
    bool OnlyDirectFlag = false;
    std::string_view ForCall;
    std::string_view ExMgrCall;
    bool BuroFlag = false;
    std::string_view HimselfViaCall;
    std::string_view NotViaCall;
    NotRoute RouteCode = NotRoute::None;
    std::string_view Addr1;
    std::string_view Addr2;
    std::string_view Addr3;
    std::string_view Addr4;
    std::string_view AddrRest;

    // Back to the initial values.
    void reset() { *this = ListEntry{}; }
    // The QSL.CSV record: the fields joined by ";", written as they stand (no quoting).
    void appendRecord(std::string& record) const;
    // The record's length in bytes, and the record written to `out`, which has room
    // for that many.
    std::size_t recordLength() const;
    void writeRecord(char* out) const;
};

} // namespace borvelin
