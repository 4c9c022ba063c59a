// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/ViaReport.h"

#include <array>
#include <charconv>
#include <string>

namespace borvelin {

namespace {

void appendField(std::string& line, std::string_view value)
{
    const std::size_t start = line.size();
    line.append(value);
    for (std::size_t index = start; index < line.size(); ++index)
        if (line[index] == ';' || line[index] == '\r' || line[index] == '\n')
            line[index] = ' ';
}

} // namespace

void ViaReport::point(std::uint64_t qsoNumber, std::string_view call, std::string_view qsoDate, ViaCode code,
                      std::initializer_list<std::string_view> message)
{
    ++counts_[static_cast<std::size_t>(code)];
    std::array<char, 20> digits;
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), qsoNumber).ptr;
    line_.assign(digits.data(), static_cast<std::size_t>(end - digits.data()));
    line_.push_back(';');
    appendField(line_, call);
    line_.push_back(';');
    appendField(line_, qsoDate);
    line_.push_back(';');
    line_.append(textOf(code)).push_back(';');
    for (const std::string_view part : message)
        appendField(line_, part);
    csv_.writeLine(line_);
}

void ViaReport::writeCounts()
{
    for (const ViaCodeText& code : ViaCodes)
        if (const std::uint64_t count = countOf(code.code); count != 0)
            csv_.writeLine("0;;;" + std::string(code.text) + ";" + std::to_string(count));
}

void ViaReport::addCounts(std::vector<JobSummary::Count>& counts) const
{
    for (const ViaCodeText& code : ViaCodes)
        if (const std::uint64_t count = countOf(code.code); count != 0)
            counts.push_back({std::string(code.text), std::string(code.text), count});
}

} // namespace borvelin
