// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/SourceNames.h"

#include "text/Trimmed.h"

#include <algorithm>
#include <numeric>

namespace borvelin {

std::uint32_t SourceNames::numberOf(std::string_view name)
{
    if (!names_.empty() && names_[last_] == name)
        return last_;
    if (const auto known = numbers_.find(name); known != numbers_.end())
        return last_ = known->second;
    last_ = static_cast<std::uint32_t>(names_.size());
    numbers_.emplace(names_.emplace_back(name), last_);
    return last_;
}

std::vector<std::uint32_t> SourceNames::ranks() const
{
    std::vector<std::uint32_t> byName(names_.size());
    std::iota(byName.begin(), byName.end(), 0u);
    std::sort(byName.begin(), byName.end(), [this](std::uint32_t a, std::uint32_t b) { return names_[a] < names_[b]; });
    std::vector<std::uint32_t> ranks(names_.size());
    for (std::uint32_t rank = 0; rank < byName.size(); ++rank)
        ranks[byName[rank]] = rank;
    return ranks;
}

std::string sourceOfFile(std::string_view path)
{
#ifdef _WIN32
    const std::size_t folderEnd = path.find_last_of("/\\:");
#else
    const std::size_t folderEnd = path.rfind('/');
#endif
    std::string name(folderEnd == std::string_view::npos ? path : path.substr(folderEnd + 1));
    for (char& byte : name)
        if (byte == ';' || static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F)
            byte = ' ';
    const std::string_view source = trimmed(name, Blanks::Spaces);
    return source.empty() ? std::string("(no name)") : std::string(source);
}

} // namespace borvelin
