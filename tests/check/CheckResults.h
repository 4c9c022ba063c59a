// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace borvelin::test {

// A finding as (line number, code), as the tests compare them.
using LineCode = std::pair<std::uint64_t, int>;

// The rows of a QSLCHK.CSV, split at ";" into their five values (the message may hold more).
std::vector<std::vector<std::string>> checkRows(const std::string& csv);
std::set<LineCode> lineCodes(const std::string& csv);
// Check List run in memory on `lines`, and on the route history `history` when it is
// not empty: the bytes of QSLCHK.CSV.
std::string checkInMemory(const std::vector<std::string>& lines, const std::string& history = {});

} // namespace borvelin::test
