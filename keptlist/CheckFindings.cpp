// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/CheckFindings.h"

#include <algorithm>

namespace borvelin {

CheckFindings::CheckFindings(const std::string& fileName) : rows_(fileName)
{
    byLine_.reserve(static_cast<std::size_t>(rows_.lineCount()));
    std::uint64_t row = 0;
    rows_.readRawLines(0, rows_.lineCount(), [&](std::string_view bytes) {
        while (!bytes.empty()) {
            const auto length = static_cast<std::size_t>(rows_.lineEnd(row) - rows_.lineBegin(row));
            if (const auto finding = parseFindingRow(ListFile::withoutBreak(bytes.substr(0, length))))
                byLine_.emplace_back(finding->line, row);
            bytes.remove_prefix(length);
            ++row;
        }
        return true;
    });
    std::stable_sort(byLine_.begin(), byLine_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

bool CheckFindings::has(std::uint64_t line) const
{
    const auto found = std::lower_bound(byLine_.begin(), byLine_.end(), std::make_pair(line, std::uint64_t{0}));
    return found != byLine_.end() && found->first == line;
}

std::vector<FindingRow> CheckFindings::of(std::uint64_t line, std::string_view call) const
{
    std::vector<FindingRow> findings;
    auto entry = std::lower_bound(byLine_.begin(), byLine_.end(), std::make_pair(line, std::uint64_t{0}));
    std::vector<std::string> text;
    for (; entry != byLine_.end() && entry->first == line; ++entry) {
        rows_.readLines(entry->second, 1, text);
        if (auto finding = parseFindingRow(text.front(), call)) {
            finding->line = line;
            findings.push_back(std::move(*finding));
        }
    }
    return findings;
}

void CheckFindings::linesBetween(std::uint64_t first, std::uint64_t last,
                                 const std::function<void(std::uint64_t)>& take) const
{
    auto entry = std::lower_bound(byLine_.begin(), byLine_.end(), std::make_pair(first, std::uint64_t{0}));
    std::uint64_t previous = 0;
    for (; entry != byLine_.end() && entry->first <= last; ++entry)
        if (entry->first != previous)
            take(previous = entry->first);
}

void CheckFindings::moveLines(const std::function<std::optional<std::uint64_t>(std::uint64_t)>& newLineOf)
{
    std::erase_if(byLine_, [&](auto& entry) {
        const auto moved = newLineOf(entry.first);
        if (moved)
            entry.first = *moved;
        return !moved;
    });
}

} // namespace borvelin
