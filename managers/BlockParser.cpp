// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/BlockParser.h"

#include "listline/LineLayout.h"

namespace borvelin {

void BlockParser::parse(std::span<const std::string_view> lines, ParsedBlock& block)
{
    block.records.clear();
    block.calls.clear();
    block.lines.clear();
    block.failures.clear();
    block_ = &block;
    for (line_ = 0; line_ < lines.size(); ++line_) {
        parser_.parse(blankShortLine(lines[line_]), entry_);
        const std::size_t recordBegin = block.records.size();
        block.records.resize(recordBegin + entry_.recordLength());
        entry_.writeRecord(block.records.data() + recordBegin);
        block.calls.append(entry_.MgrCall);
        block.lines.push_back({block.records.size(), block.calls.size()});
    }
}

void BlockParser::logFailure(std::string_view line, std::string_view message)
{
    block_->failures.push_back({line_, std::string(line), std::string(message)});
}

} // namespace borvelin
