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

void ViaReport::point(std::uint64_t qsoNumber, std::string_view call, std::string_view qsoDate, std::string_view code,
                      std::string_view message)
{
    std::string line = std::to_string(qsoNumber) + ";";
    appendField(line, call);
    line.push_back(';');
    appendField(line, qsoDate);
    line.push_back(';');
    line.append(code).push_back(';');
    appendField(line, message);
    csv_.writeLine(line);
}

} // namespace borvelin
