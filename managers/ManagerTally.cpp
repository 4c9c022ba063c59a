// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/ManagerTally.h"

#include "jobs/JobError.h"

#include <algorithm>
#include <cstring>

namespace borvelin {

namespace {

// The call's first eight bytes, the first the most significant, zero bytes behind a
// shorter call.
std::uint64_t firstBytesOf(std::string_view call)
{
    std::uint64_t bytes = 0;
    for (std::size_t index = 0; index < 8; ++index)
        bytes = (bytes << 8) | (index < call.size() ? static_cast<unsigned char>(call[index]) : 0u);
    return bytes;
}

} // namespace

std::string_view ManagerTally::callOf(const Manager& manager) const
{
    if (manager.length != LongCall)
        return {manager.call.data(), manager.length};
    std::uint32_t index = 0;
    std::memcpy(&index, manager.call.data(), sizeof index);
    return longCalls_[index];
}

ManagerTally::Manager ManagerTally::managerOf(std::string_view call)
{
    Manager manager{};
    manager.hits = 0;
    if (call.size() <= InlineCallLength) {
        std::memcpy(manager.call.data(), call.data(), call.size());
        manager.length = static_cast<std::uint8_t>(call.size());
    } else {
        const auto index = static_cast<std::uint32_t>(longCalls_.size());
        longCalls_.emplace_back(call);
        std::memcpy(manager.call.data(), &index, sizeof index);
        manager.length = LongCall;
    }
    return manager;
}

void ManagerTally::AddManager(std::string_view call, std::uint64_t hash)
{
    if (Manager* known = managers_.find(hash, isCall(call))) {
        if (known->hits == MaxHits)
            throw JobError(ErrorNumber::Overflow,
                           "Overflow (more than 32767 records name the manager " + std::string(call) + ")");
        ++known->hits;
        return;
    }
    if (managers_.size() == MaxManagers)
        throw JobError(ErrorNumber::SubscriptOutOfRange,
                       "Subscript out of range (more than 100000 managers; " + std::string(call) + " was not counted)");
    managers_.findOrAdd(hash, isCall(call), [&] { return managerOf(call); }).hits = 1;
}

int ManagerTally::hitsOf(std::string_view call) const
{
    const Manager* manager = managers_.find(callHash(call), isCall(call));
    return manager ? manager->hits : 0;
}

std::vector<ManagerTally::Entry> ManagerTally::SortManagers() const
{
    // Sorting by the first eight bytes as one number settles nearly every comparison
    // without reading the calls; padding a short call with zero bytes, the lowest there
    // are, keeps the order a byte-by-byte comparison gives. Ties compare the whole calls:
    // std::string_view compares bytes as unsigned char, an ordinal, case-sensitive order.
    struct Keyed {
        std::uint64_t firstBytes;
        const Manager* manager;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(managers_.size());
    managers_.forEach([&](const Manager& manager) { keyed.push_back({firstBytesOf(callOf(manager)), &manager}); });
    std::sort(keyed.begin(), keyed.end(), [this](const Keyed& a, const Keyed& b) {
        if (a.firstBytes != b.firstBytes)
            return a.firstBytes < b.firstBytes;
        return callOf(*a.manager) < callOf(*b.manager);
    });
    std::vector<Entry> sorted;
    sorted.reserve(keyed.size());
    for (const Keyed& manager : keyed)
        sorted.emplace_back(callOf(*manager.manager), manager.manager->hits);
    return sorted;
}

} // namespace borvelin
