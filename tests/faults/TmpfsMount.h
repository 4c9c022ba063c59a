// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace borvelin::faults {

// A small tmpfs on a directory: a disk that really fills. It is mounted in a mount
// namespace of the test process's own, which the processes it starts share and
// nothing else sees. Needs the right to mount (root, where the container allows it).
class TmpfsMount {
public:
    // Empty when mounting is possible here, else why not.
    static std::string unavailableBecause();

    TmpfsMount(const std::filesystem::path& where, std::uintmax_t bytes);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    // Writes a file of zeros at `filler` so that only `bytes` stay free.
    void leaveFree(const std::filesystem::path& filler, std::uintmax_t bytes) const;

private:
    std::filesystem::path where_;
};

} // namespace borvelin::faults
