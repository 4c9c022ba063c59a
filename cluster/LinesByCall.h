// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// Manager-list lines sorted by their call (the first word, in capitals) within a fixed
// amount of memory, whatever the list's length: lines are gathered in runs of at most
// `runBytes`, each run sorted and, when another follows, written to a temporary file
// beside the output; at the end the runs are merged. Lines of one call keep the order
// they were added in. The temporary files go with the object, whether it ends well or not.
class LinesByCall {
public:
    static constexpr std::size_t DefaultRunBytes = std::size_t{16} << 20;

    // `output` is the file the sorted lines are for; the runs lie beside it under its name.
    explicit LinesByCall(std::filesystem::path output, std::size_t runBytes = DefaultRunBytes);
    ~LinesByCall();
    LinesByCall(const LinesByCall&) = delete;
    LinesByCall& operator=(const LinesByCall&) = delete;

    // `line` holds no line break.
    void add(std::string_view line);
    // Every line in call order, each with its call; only once.
    void forEachInCallOrder(const std::function<void(std::string_view call, std::string_view line)>& visit);

    std::size_t runFileCount() const { return runFiles_.size(); }

private:
    struct Entry {
        // The call's first eight bytes as one number, the first the most significant:
        // most comparisons end there without reading the calls.
        std::uint64_t callStart;
        std::uint64_t offset; // of the call in capitals, the line right behind it
        std::uint32_t callLength;
        std::uint32_t lineLength;
    };

    std::string_view callOf(const Entry& entry) const { return {arena_.data() + entry.offset, entry.callLength}; }
    std::string_view lineOf(const Entry& entry) const
    {
        return {arena_.data() + entry.offset + entry.callLength, entry.lineLength};
    }
    void sortRun();
    void spillRun();
    void mergeRuns(const std::function<void(std::string_view, std::string_view)>& visit);

    std::filesystem::path output_;
    std::size_t runBytes_;
    std::vector<char> arena_;
    std::vector<Entry> entries_;
    std::vector<std::string> runFiles_;
};

} // namespace borvelin
