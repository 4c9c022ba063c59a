// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ManagerInForce.h"

#include <algorithm>
#include <vector>

namespace borvelin {

std::span<const HistoryEntry> monthFrom(std::span<const HistoryEntry> lines, std::size_t first)
{
    const std::int32_t month = monthOf(lines[first].date);
    std::size_t end = first + 1;
    while (end < lines.size() && monthOf(lines[end].date) == month)
        ++end;
    return lines.subspan(first, end - first);
}

bool namesTwoManagers(std::span<const HistoryEntry> monthLines)
{
    return std::any_of(monthLines.begin(), monthLines.end(),
                       [&](const HistoryEntry& line) { return !(line.manager == monthLines.front().manager); });
}

ManagerInForce managerInForce(std::span<const HistoryEntry> lines, std::int32_t qsoMonth)
{
    if (lines.empty() || qsoMonth >= monthOf(lines.back().date))
        return {};
    // The first line past the QSO's month; the month before it holds, or, when there is
    // none, the earliest.
    const auto past = std::find_if(lines.begin(), lines.end(),
                                   [qsoMonth](const HistoryEntry& line) { return monthOf(line.date) > qsoMonth; });
    const bool beforeEvery = past == lines.begin();
    std::size_t first = beforeEvery ? 0 : static_cast<std::size_t>(past - lines.begin()) - 1;
    const std::int32_t month = monthOf(lines[first].date);
    while (first > 0 && monthOf(lines[first - 1].date) == month)
        --first;
    const std::span<const HistoryEntry> holding = monthFrom(lines, first);
    if (namesTwoManagers(holding))
        return {ManagerInForce::Kind::Conflict, holding};
    return {beforeEvery ? ManagerInForce::Kind::Earlier : ManagerInForce::Kind::Dated, holding};
}

std::string managersWithSources(std::span<const HistoryEntry> monthLines, const SourceNames& sources)
{
    std::vector<ShortCall> managers;
    for (const HistoryEntry& line : monthLines)
        if (std::find(managers.begin(), managers.end(), line.manager) == managers.end())
            managers.push_back(line.manager);
    std::string text;
    for (std::size_t index = 0; index < managers.size(); ++index) {
        if (index > 0)
            text += index + 1 == managers.size() ? " and " : ", ";
        text.append(managers[index].view()).append(" (");
        std::vector<std::uint32_t> named;
        for (const HistoryEntry& line : monthLines) {
            if (!(line.manager == managers[index]) || std::find(named.begin(), named.end(), line.source) != named.end())
                continue;
            text.append(named.empty() ? "" : ", ").append(sources.nameOf(line.source));
            named.push_back(line.source);
        }
        text += ')';
    }
    return text;
}

} // namespace borvelin
