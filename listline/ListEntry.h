// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace borvelin {

// The 18 values List of 25+ cuts from one manager-list line, in their QSL.CSV order.
struct ListEntry {
    std::string DxCall;
    std::string CallPrefix;
    std::string MgrCall;
    std::string SeeAlsoCall;
    bool PirateFlag = false;
    bool NewMgrFlag = false;
    bool OnlyDirectFlag = false;
    std::string ForCall;
    std::string ExMgrCall;
    bool BuroFlag = false;
    std::string HimselfViaCall;
    std::string NotViaCall;
    // 0 no NOT route, 1 "NOT via", 2 "NOT LONGER", 3 "NOT MORE".
    std::uint8_t RouteCode = 0;
    std::string Addr1;
    std::string Addr2;
    std::string Addr3;
    std::string Addr4;
    std::string AddrRest;

    // Back to the initial values, keeping the strings' storage for the next line.
    void reset();
    // The QSL.CSV record: the fields joined by ";", written as they stand (no quoting).
    void appendRecord(std::string& record) const;
    // The record's length in bytes, and the record written to `out`, which has room
    // for that many.
    std::size_t recordLength() const;
    void writeRecord(char* out) const;
};

} // namespace borvelin
