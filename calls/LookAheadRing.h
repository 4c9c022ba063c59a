// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

namespace borvelin {

// Look-ups taken Depth items late, so that the memory each waits for is on its way
// before it is needed: when an item comes, its slot is asked for; when Depth / 2 items
// have come after it, its record (found through the slot, at hand by then); when Depth
// have, it is taken. The items are taken in the order they came, as without the ring.
//
// `steps` has askForSlot(item), askForRecord(item) and take(item).
template <typename Item, std::size_t Depth>
class LookAheadRing {
    static_assert(Depth >= 2 && (Depth & (Depth - 1)) == 0, "Depth is a power of two");

public:
    template <typename Steps>
    void add(const Item& item, Steps& steps)
    {
        if (count_ == Depth) {
            steps.take(items_[first_]);
            first_ = (first_ + 1) % Depth;
            --count_;
        }
        Item& added = items_[(first_ + count_++) % Depth];
        added = item;
        steps.askForSlot(added);
        if (count_ > Depth / 2)
            steps.askForRecord(items_[(first_ + count_ - 1 - Depth / 2) % Depth]);
    }

    // Takes every item waiting, in order.
    template <typename Steps>
    void takeAll(Steps& steps)
    {
        while (count_ > 0) {
            steps.take(items_[first_]);
            first_ = (first_ + 1) % Depth;
            --count_;
        }
        first_ = 0;
    }

    bool empty() const { return count_ == 0; }

private:
    std::array<Item, Depth> items_{};
    std::size_t first_ = 0;
    std::size_t count_ = 0;
};

} // namespace borvelin
