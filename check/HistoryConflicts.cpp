// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/HistoryConflicts.h"

#include "check/CallRecord.h"
#include "check/CrossLineChecks.h"
#include "history/ImportRow.h"
#include "history/ManagerInForce.h"
#include "jobs/PassRunner.h"
#include "text/Capitals.h"

#include <algorithm>

namespace borvelin {

namespace {

// The filter in front of the calls, at this many bits each: most list lines have none.
constexpr std::size_t FilterBitsPerCall = 16;

} // namespace

std::uint32_t HistoryConflicts::placeOf(std::uint64_t key, std::string_view firstWord) const
{
    if (calls_.size() == 0)
        return CallTable<Call>::NotThere;
    return calls_.placeOf(
        key, [&](const Call& call) { return call.key == key && equalInCapitals(call.call.view(), firstWord); });
}

void HistoryConflicts::prepare(std::size_t, std::size_t blocksPerBatch)
{
    read_.resize(blocksPerBatch * PassRunner::BlockLines);
}

void HistoryConflicts::work(std::size_t, const LineBlock& block)
{
    ReadLine* read = &read_[block.index * PassRunner::BlockLines];
    for (const std::string_view line : block.lines) {
        read->isRow = readImportRow(line, read->row) == RowFault::None;
        ++read;
    }
}

// A line that is no row the import would take is passed over, as the fill does.
void HistoryConflicts::takeUp(const LineBlock& block)
{
    const ReadLine* read = &read_[block.index * PassRunner::BlockLines];
    for (std::size_t index = 0; index < block.lines.size(); ++index) {
        const ReadLine& line = read[index];
        if (!line.isRow)
            continue;
        const ImportRow& row = line.row;
        const ShortCall call(row.call);
        if (!callLines_.empty() && !(callLines_.front().entry.call == call))
            endCall();
        const std::string_view source = row.source.empty() ? std::string_view(historyfile::FileName) : row.source;
        const std::uint32_t number = checkedLineNumber(block.firstLine + index);
        callLines_.push_back({{call, ShortCall(row.manager), row.dateOrder, sources_.numberOf(source)}, number});
    }
}

void HistoryConflicts::finish()
{
    endCall();
    calls_.makeFilter(FilterBitsPerCall);
}

void HistoryConflicts::endCall()
{
    std::stable_sort(callLines_.begin(), callLines_.end(),
                     [](const Line& a, const Line& b) { return historyOrder(a.entry, b.entry); });
    std::vector<HistoryEntry> entries;
    entries.reserve(callLines_.size());
    for (const Line& line : callLines_)
        entries.push_back(line.entry);
    std::vector<Month> months;
    for (std::size_t first = 0; first < entries.size();) {
        const std::span<const HistoryEntry> month = monthFrom(entries, first);
        if (namesTwoManagers(month)) {
            std::uint32_t historyLine = callLines_[first].number;
            for (std::size_t index = first; index < first + month.size(); ++index)
                historyLine = std::min(historyLine, callLines_[index].number);
            months.push_back(
                {managersWithSources(month, sources_) + " " + monthPhrase(monthOf(month.front().date)), historyLine});
        }
        first += month.size();
    }
    if (!months.empty()) {
        const ShortCall& call = entries.front().call;
        const std::uint64_t key = callKey(call.view());
        // A call whose lines are not together (a history mended by hand) adds its months.
        std::vector<Month>& known = calls_
                                        .findOrAdd(
                                            key, [&](const Call& added) { return added.call == call; },
                                            [&] {
                                                return Call{call, {}, key, false};
                                            })
                                        .months;
        known.insert(known.end(), months.begin(), months.end());
    }
    callLines_.clear();
}

} // namespace borvelin
