// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Command.h"

namespace borvelin {

const CommandOption* Operands::option(std::string_view flag) const
{
    for (const CommandOption& candidate : options)
        if (candidate.flag == flag)
            return &candidate;
    return nullptr;
}

std::string Operands::usage() const
{
    if (calls)
        return "[CALL...]";
    std::string text;
    for (const CommandOption& candidate : options)
        text.append("[").append(candidate.flag).append("] ");
    return text.append(file).append(severalFiles ? "..." : "");
}

} // namespace borvelin
