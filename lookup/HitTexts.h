// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// The text of the lines found for each home call asked, kept once however often the call
// was asked, for the answers that are written once the whole list is read. It stays in
// memory up to a budget; beyond it, it goes to a temporary file of the system's (gone
// with the program, even a killed one), so that memory does not grow with the number of
// calls asked nor with the lines they find.
class HitTexts {
public:
    static constexpr std::size_t DefaultBudget = std::size_t{16} << 20;

    explicit HitTexts(std::size_t budget = DefaultBudget) : budget_(budget) {}

    // A new home; its number is the count of homes before it.
    void addHome() { homes_.emplace_back(); }
    void append(std::size_t home, std::string_view text);
    // Writes the home's text to `out`, fails with JobError when the temporary file
    // cannot be read back.
    void writeTo(std::size_t home, std::ostream& out) const;
    std::string textOf(std::size_t home) const;

private:
    struct Segment {
        std::uint64_t offset;
        std::uint64_t length;
    };
    struct Home {
        std::vector<Segment> spilled;
        std::string text;
    };
    void spill();

    std::size_t budget_;
    std::size_t held_ = 0; // bytes in memory
    std::vector<Home> homes_;
    FileHandle spillFile_;
    std::uint64_t spillSize_ = 0;
    bool spillFailed_ = false;
};

} // namespace borvelin
