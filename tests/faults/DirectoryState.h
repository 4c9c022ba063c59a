// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace borvelin::faults {

// What a directory holds, entry by entry: a file's bytes, where a link points, or the
// entry's kind. Two states compare equal when every entry is byte for byte the same.
struct DirectoryState {
    static DirectoryState of(const std::filesystem::path& directory);
    // The names whose entries differ between the two states, added and removed ones included.
    std::vector<std::string> changedSince(const DirectoryState& before) const;

    std::map<std::string, std::string> entries;
};

// The names of the temporary files an output leaves while it is written: ".NAME.NNNNNN.tmp".
std::vector<std::string> temporaryFiles(const std::filesystem::path& directory);

} // namespace borvelin::faults
