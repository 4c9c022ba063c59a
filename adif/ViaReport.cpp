// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/ViaReport.h"

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
                      std::string_view message)
{
    ++counts_[static_cast<std::size_t>(code)];
    std::string line = std::to_string(qsoNumber) + ";";
    appendField(line, call);
    line.push_back(';');
    appendField(line, qsoDate);
    line.push_back(';');
    line.append(textOf(code)).push_back(';');
    appendField(line, message);
    csv_.writeLine(line);
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
