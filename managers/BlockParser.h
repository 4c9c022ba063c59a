// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"
#include "managers/ParsedBlock.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace borvelin {

// Parses blocks of lines as List of 25+ parses each line, on the thread that calls it,
// into a ParsedBlock. One for each worker: it keeps the parser's state.
class BlockParser : private LineFailureLog {
public:
    BlockParser() : parser_(*this) {}
    BlockParser(const BlockParser&) = delete;
    BlockParser& operator=(const BlockParser&) = delete;

    void parse(std::span<const std::string_view> lines, ParsedBlock& block);

private:
    void logFailure(std::string_view line, std::string_view message) override;

    ListLineParser parser_;
    ListEntry entry_;
    ParsedBlock* block_ = nullptr;
    std::size_t line_ = 0; // the line being parsed, in block_
};

} // namespace borvelin
