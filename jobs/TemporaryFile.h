// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileHandle.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace borvelin {

// Names for the program's own files beside a target: ".NAME.PID.NNNNNN.tmp", hidden,
// with the id of the process that owns the file, so that a later run can tell the files
// of a process that is gone, and a random number, so that two programs working in one
// folder do not meet; `kind`, such as ".run", stands after NAME for files of another use.
class TemporaryNames {
public:
    explicit TemporaryNames(const std::filesystem::path& target, std::string_view kind = {});
    std::filesystem::path next();

    static constexpr int MostAttempts = 100;

private:
    std::filesystem::path folder_;
    std::string stem_;
    std::mt19937 random_;
};

// The id of the process that owns the temporary file `fileName` (a bare name), when the
// name is one TemporaryNames gives.
std::optional<std::uint64_t> ownerOfTemporary(std::string_view fileName);

// This process's id, as temporary names carry it.
std::uint64_t currentProcessId();

// Creates a new file beside `target` under a temporary name, which goes to `createdName`.
// Fails with JobError naming `errorName` as creating the target itself would.
FileHandle createTemporaryBeside(const std::filesystem::path& target, const std::string& errorName,
                                 std::string& createdName, std::string_view kind = {});

} // namespace borvelin
