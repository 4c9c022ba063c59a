// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace borvelin {

// Where each line of a file begins, in 4 bytes a line: a 64-bit base for each run of
// 4096 lines, and each line's distance from its run's base. Should 4096 lines span 4 GiB
// (a megabyte a line), every start takes 8 bytes instead.
class LineStarts {
public:
    std::size_t size() const { return wide_ ? starts_.size() : distances_.size(); }
    std::size_t capacity() const { return wide_ ? starts_.capacity() : distances_.capacity(); }
    std::uint64_t operator[](std::size_t index) const
    {
        return wide_ ? starts_[index] : bases_[index / LinesPerBase] + distances_[index];
    }
    std::uint64_t back() const { return (*this)[size() - 1]; }

    void reserve(std::size_t starts)
    {
        if (wide_) {
            starts_.reserve(starts);
            return;
        }
        distances_.reserve(starts);
        bases_.reserve(starts / LinesPerBase + 1);
    }
    void push_back(std::uint64_t start)
    {
        if (!wide_ && distances_.size() % LinesPerBase == 0)
            bases_.push_back(start);
        if (!wide_ && start - bases_.back() > std::numeric_limits<std::uint32_t>::max())
            widen();
        if (wide_)
            starts_.push_back(start);
        else
            distances_.push_back(static_cast<std::uint32_t>(start - bases_.back()));
    }
    // Moves the last start, forward only: an LF found to belong to the CR before it.
    void moveBack(std::uint64_t start)
    {
        const std::size_t last = size() - 1;
        if (!wide_ && start - bases_[last / LinesPerBase] > std::numeric_limits<std::uint32_t>::max())
            widen();
        if (wide_)
            starts_[last] = start;
        else if (last % LinesPerBase == 0)
            bases_[last / LinesPerBase] = start;
        else
            distances_[last] = static_cast<std::uint32_t>(start - bases_[last / LinesPerBase]);
    }
    void shrinkToFit()
    {
        starts_.shrink_to_fit();
        distances_.shrink_to_fit();
        bases_.shrink_to_fit();
    }

    // The first index from `first` to `end` - 1 whose start lies past `value`; `end`
    // when there is none. The starts only grow.
    std::size_t firstPast(std::size_t first, std::size_t end, std::uint64_t value) const
    {
        while (first < end) {
            const std::size_t middle = first + (end - first) / 2;
            if ((*this)[middle] <= value)
                first = middle + 1;
            else
                end = middle;
        }
        return first;
    }

private:
    static constexpr std::size_t LinesPerBase = 4096;

    void widen()
    {
        std::vector<std::uint64_t> starts(distances_.size());
        for (std::size_t index = 0; index < starts.size(); ++index)
            starts[index] = (*this)[index];
        starts_ = std::move(starts);
        distances_ = {};
        bases_ = {};
        wide_ = true;
    }

    bool wide_ = false;
    std::vector<std::uint64_t> bases_;
    std::vector<std::uint32_t> distances_;
    std::vector<std::uint64_t> starts_; // once wide
};

} // namespace borvelin
