// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/TmpfsMount.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

namespace borvelin::faults {

namespace fs = std::filesystem;

namespace {

std::string systemError(const std::string& call)
{
    return call + ": " + std::strerror(errno);
}

// Enters the private mount namespace once; later calls report how that went.
const std::string& privateNamespaceProblem()
{
    static const std::string problem = []() -> std::string {
        if (unshare(CLONE_NEWNS) != 0)
            return systemError("unshare(CLONE_NEWNS)");
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return systemError("making the mounts private");
        return {};
    }();
    return problem;
}

} // namespace

std::string TmpfsMount::unavailableBecause()
{
    return privateNamespaceProblem();
}

TmpfsMount::TmpfsMount(const fs::path& where, std::uintmax_t bytes) : where_(where)
{
    if (!privateNamespaceProblem().empty())
        throw std::runtime_error(privateNamespaceProblem());
    fs::create_directories(where);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (mount("borvelin-test", where.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0)
        throw std::runtime_error(systemError("mounting a tmpfs"));
}

TmpfsMount::~TmpfsMount()
{
    umount2(where_.c_str(), MNT_DETACH);
}

void TmpfsMount::leaveFree(const fs::path& filler, std::uintmax_t bytes) const
{
    struct statvfs space {};
    if (statvfs(where_.c_str(), &space) != 0)
        throw std::runtime_error(systemError("statvfs"));
    const std::uintmax_t available = static_cast<std::uintmax_t>(space.f_bavail) * space.f_frsize;
    if (available < bytes)
        throw std::runtime_error("the tmpfs is too small");
    std::ofstream out(filler, std::ios::binary);
    const std::string block(1 << 16, '\0');
    for (std::uintmax_t left = available - bytes; left > 0;) {
        const std::uintmax_t now = std::min<std::uintmax_t>(left, block.size());
        out.write(block.data(), static_cast<std::streamsize>(now));
        left -= now;
    }
    if (!out.flush())
        throw std::runtime_error("cannot fill the tmpfs");
}

} // namespace borvelin::faults
