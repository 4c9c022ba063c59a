// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace borvelin {

// The shape of a call sign as the list writes it: letters and digits, with at least one
// of each in the call itself, and optional portable parts joined to it by "/" (QA/Q1ABC,
// Q1ABC/P, QA/Q1ABC/P), all within the call area of a line.
namespace callshape {

// The call area runs from column 1 up to the blank before the route column.
constexpr std::size_t LongestCall = 12;
// A prefix, the call and a suffix.
constexpr std::size_t MostParts = 3;

bool isWellFormedCall(std::string_view call);

// The call without its portable parts, in capitals: the part that holds both a letter
// and a digit (the longest such part when there are several; the first when they are
// as long). Q1ABC/P, QA/Q1ABC and q1abc all give Q1ABC. A text with no such part is
// given back whole, in capitals.
std::string homeCallOf(std::string_view call);

// The part of `call` that homeCallOf gives, as it stands in `call` (case kept): for
// matching many lines without making a string of each.
std::string_view homeCallPartOf(std::string_view call);

} // namespace callshape
} // namespace borvelin
