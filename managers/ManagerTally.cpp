#include "managers/ManagerTally.h"

#include "jobs/JobError.h"

#include <algorithm>
#include <functional>

namespace borvelin {

namespace {

constexpr std::size_t InitialSlots = 1024;

std::uint64_t hashOf(std::string_view call)
{
    return std::hash<std::string_view>{}(call);
}

std::uint64_t slotValue(std::uint64_t hash, std::size_t position)
{
    return (hash & 0xFFFFFFFF00000000u) | (position + 1);
}

} // namespace

ManagerTally::Manager* ManagerTally::find(std::string_view call, std::uint64_t hash, std::size_t& slot) const
{
    if (slots_.empty())
        return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t value = slots_[slot];
        if (value == 0)
            return nullptr;
        if ((value ^ hash) >> 32 == 0) {
            const Manager& manager = entries_[(value & 0xFFFFFFFFu) - 1];
            if (manager.call == call)
                return const_cast<Manager*>(&manager);
        }
    }
}

void ManagerTally::grow()
{
    std::vector<std::uint64_t> slots(slots_.empty() ? InitialSlots : slots_.size() * 2, 0);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t position = 0; position < entries_.size(); ++position) {
        const std::uint64_t hash = hashOf(entries_[position].call);
        std::size_t slot = hash & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = slotValue(hash, position);
    }
    slots_.swap(slots);
}

void ManagerTally::AddManager(std::string_view call)
{
    const std::uint64_t hash = hashOf(call);
    std::size_t slot = 0;
    if (Manager* manager = find(call, hash, slot)) {
        if (manager->hits == MaxHits)
            throw JobError(ErrorNumber::Overflow,
                           "Overflow (more than 32767 records name the manager " + std::string(call) + ")");
        ++manager->hits;
        return;
    }
    if (entries_.size() == MaxManagers)
        throw JobError(ErrorNumber::SubscriptOutOfRange,
                       "Subscript out of range (more than 100000 managers; " + std::string(call) + " was not counted)");
    if ((entries_.size() + 1) * 2 > slots_.size()) {
        grow();
        find(call, hash, slot); // finds the free slot in the new index
    }
    entries_.push_back({std::string(call), 1});
    slots_[slot] = slotValue(hash, entries_.size() - 1);
}

int ManagerTally::hitsOf(std::string_view call) const
{
    std::size_t slot = 0;
    const Manager* manager = find(call, hashOf(call), slot);
    return manager ? manager->hits : 0;
}

std::vector<ManagerTally::Entry> ManagerTally::SortManagers() const
{
    std::vector<Entry> sorted;
    sorted.reserve(entries_.size());
    for (const Manager& manager : entries_)
        sorted.emplace_back(manager.call, manager.hits);
    // std::string_view compares bytes as unsigned char: ordinal, case-sensitive order.
    std::sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) { return a.first < b.first; });
    return sorted;
}

} // namespace borvelin
