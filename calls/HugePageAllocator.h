// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace borvelin {

// For the large hash tables that are looked into at random, one look per line: memory
// the system may back with 2 MiB pages (Linux, where they are enabled for programs that
// ask). One page then maps what 512 would, so that a look costs no miss in the address
// cache and filling the table a five-hundredth of the page faults. Elsewhere, and for
// small tables, plain memory.
template <typename T>
class HugePageAllocator {
public:
    using value_type = T;
    static constexpr std::size_t HugePage = std::size_t{2} << 20;

    HugePageAllocator() = default;
    template <typename U>
    explicit HugePageAllocator(const HugePageAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < HugePage)
            return static_cast<T*>(::operator new (bytes, std::align_val_t{alignof(T)}));
        void* memory = ::operator new (bytes, std::align_val_t{HugePage});
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        ::madvise(memory, bytes, MADV_HUGEPAGE); // a hint: without it the table works all the same
#endif
        return static_cast<T*>(memory);
    }

    void deallocate(T* memory, std::size_t count) noexcept
    {
        const std::size_t bytes = count * sizeof(T);
        ::operator delete (memory, std::align_val_t{bytes < HugePage ? alignof(T) : HugePage});
    }

    template <typename U>
    bool operator==(const HugePageAllocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace borvelin
