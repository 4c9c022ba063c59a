#include "managers/TextSearch.h"

#include <algorithm>
#include <array>

namespace borvelin {

bool standsAt(std::string_view line, std::string_view what, std::size_t column)
{
    if (column == 0 || column - 1 > line.size() || line.size() - (column - 1) < what.size())
        return false;
    const std::string_view there = line.substr(column - 1, what.size());
    return std::equal(there.begin(), there.end(), what.begin(),
                      [](char a, char b) { return foldCase(a) == foldCase(b); });
}

void FoldedLine::assign(std::string_view line)
{
    folded_.resize(line.size());
    std::transform(line.begin(), line.end(), folded_.begin(), foldCase);
}

std::size_t FoldedLine::find(std::string_view what, std::size_t column) const
{
    if (what.empty() || column == 0)
        return 0;
    // Keywords are short: fold them on the stack, and only a long one on the heap.
    std::array<char, 32> shortWhat{};
    std::string longWhat;
    char* foldedWhat = shortWhat.data();
    if (what.size() > shortWhat.size()) {
        longWhat.resize(what.size());
        foldedWhat = longWhat.data();
    }
    std::transform(what.begin(), what.end(), foldedWhat, foldCase);
    const auto position = std::string_view(folded_).find(std::string_view(foldedWhat, what.size()), column - 1);
    return position == std::string_view::npos ? 0 : position + 1;
}

} // namespace borvelin
