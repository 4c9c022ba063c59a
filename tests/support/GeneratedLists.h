// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace borvelin::test {

// What the benchmark's generators write (borvelin-genlist, -genimport, -genadif), or
// an empty text when they were not built; a test then skips.
std::string generatedList(std::uint64_t lines, std::uint64_t managers, std::uint64_t seed);
std::string generatedImport(std::uint64_t rows, std::uint64_t seed);
// A log of `qsos` QSOs with the calls of the list in the file `listFile`.
std::string generatedLog(std::uint64_t qsos, const std::string& listFile, std::uint64_t seed);
// The lines of a text, without their line breaks.
std::vector<std::string> linesOf(const std::string& text);

// Random lines made of pieces of the keywords, in both cases, with blanks, calls and
// bytes of every kind between: the grammar's edges.
std::vector<std::string> keywordPieceLines(std::size_t count, std::uint32_t seed);

} // namespace borvelin::test
