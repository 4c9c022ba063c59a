// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace borvelin {

// The sources of a history's lines, each name kept once; a line keeps its source's
// number. A history has few sources, and its lines name them one stretch at a time:
// the name last asked for is tried first.
class SourceNames {
public:
    // The number of `name`, which is added when it is new.
    std::uint32_t numberOf(std::string_view name);
    std::string_view nameOf(std::uint32_t number) const { return names_[number]; }
    std::size_t size() const { return names_.size(); }
    // The place of each number's name among the names in byte order, by number: lines
    // that differ only in their source sort by its name, whatever order the names came in.
    std::vector<std::uint32_t> ranks() const;

private:
    std::deque<std::string> names_; // they stay where they are, for the views below
    std::unordered_map<std::string_view, std::uint32_t> numbers_;
    std::uint32_t last_ = 0; // the number given last, when there is one
};

// The source of the rows of the file `path` that name none: its name without its
// folder, a ";" or a control byte in it made a blank and the blanks around it dropped,
// so that it stands as one field of a line.
std::string sourceOfFile(std::string_view path);

} // namespace borvelin
