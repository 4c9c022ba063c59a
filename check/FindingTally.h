// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/Finding.h"

#include <array>
#include <cstdint>
#include <string>

namespace borvelin {

// The number of findings of each code.
class FindingTally {
public:
    void count(FindingCode code, Severity severity)
    {
        ++counts_.at(static_cast<std::size_t>(numberOf(code)));
        ++severities_.at(static_cast<std::size_t>(severity));
    }
    std::uint64_t countOf(int code) const { return counts_.at(static_cast<std::size_t>(code)); }
    std::uint64_t countOf(Severity severity) const { return severities_.at(static_cast<std::size_t>(severity)); }
    std::uint64_t total() const;
    // "Findings: C1 2, C4 3", or "Findings: none".
    std::string summary() const;

private:
    std::array<std::uint64_t, LastCode + 1> counts_{};
    std::array<std::uint64_t, 3> severities_{};
};

} // namespace borvelin
