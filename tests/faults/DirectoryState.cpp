// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/DirectoryState.h"

#include "support/TestDirectory.h"

#include <stdexcept>

namespace borvelin::faults {

namespace fs = std::filesystem;

namespace {

std::string describe(const fs::directory_entry& entry)
{
    const fs::file_status status = entry.symlink_status();
    std::string mode = std::to_string(static_cast<unsigned>(status.permissions()));
    if (fs::is_symlink(status))
        return "link " + fs::read_symlink(entry.path()).string();
    if (fs::is_directory(status))
        return "directory " + mode;
    if (fs::is_regular_file(status)) {
        try {
            return "file " + mode + " " + test::readFile(entry.path());
        } catch (const std::runtime_error&) { // a file the test itself may not read
            return "file " + mode + " size " + std::to_string(entry.file_size());
        }
    }
    return "other " + mode;
}

} // namespace

DirectoryState DirectoryState::of(const fs::path& directory)
{
    DirectoryState state;
    for (const auto& entry : fs::directory_iterator(directory))
        state.entries[entry.path().filename().string()] = describe(entry);
    return state;
}

std::vector<std::string> DirectoryState::changedSince(const DirectoryState& before) const
{
    std::vector<std::string> changed;
    for (const auto& [name, description] : entries) {
        const auto earlier = before.entries.find(name);
        if (earlier == before.entries.end() || earlier->second != description)
            changed.push_back(name);
    }
    for (const auto& [name, description] : before.entries)
        if (!entries.count(name))
            changed.push_back(name);
    return changed;
}

std::vector<std::string> temporaryFiles(const fs::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 5 && name.front() == '.' && name.ends_with(".tmp"))
            names.push_back(name);
    }
    return names;
}

} // namespace borvelin::faults
