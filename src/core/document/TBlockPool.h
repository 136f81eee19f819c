// Storage for the record blocks of one list. Every block holds at most the
// same number of records, so their arrays are all one size and are carved
// from regions that grow up to a huge-page region (see LargeRegion.h); a
// freed array is kept for the next block. TPoolAllocator hands a vector its
// array from a pool, and any other size from the heap.
#pragma once

#include "core/base/LargeRegion.h"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace quarno {

class TBlockPool {
public:
    explicit TBlockPool(size_t arrayBytes) : m_arrayBytes(arrayBytes) {}
    TBlockPool(const TBlockPool&) = delete;
    TBlockPool& operator=(const TBlockPool&) = delete;

    size_t ArrayBytes() const { return m_arrayBytes; }
    void* Take();
    void Give(void* array) { m_free.push_back(array); }
    // Returns the pages of the arrays not yet carved to the system.
    void ReleaseSpare() noexcept {
        if (m_next != m_releasedFrom) ReleaseUnused(m_next, m_left * m_arrayBytes);
        m_releasedFrom = m_next;
    }

private:
    size_t m_arrayBytes;
    std::vector<TRegion> m_regions;
    std::vector<void*> m_free;
    char* m_next = nullptr;
    size_t m_left = 0;              // arrays left in the newest region
    size_t m_carved = 0;            // arrays carved so far, for the next region's size
    char* m_releasedFrom = nullptr; // m_next at the last ReleaseSpare
};

template <typename T> class TPoolAllocator {
public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::true_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;

    TPoolAllocator() = default;
    explicit TPoolAllocator(TBlockPool* pool) : m_pool(pool) {}
    template <typename U>
    TPoolAllocator(const TPoolAllocator<U>& other) // NOLINT: rebinding converts implicitly
        : m_pool(other.Pool()) {}

    T* allocate(size_t n) {
        if (Pooled(n)) return static_cast<T*>(m_pool->Take());
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* array, size_t n) {
        if (Pooled(n))
            m_pool->Give(array);
        else
            std::allocator<T>().deallocate(array, n);
    }
    TBlockPool* Pool() const { return m_pool; }
    template <typename U> bool operator==(const TPoolAllocator<U>& other) const {
        return m_pool == other.Pool();
    }

private:
    bool Pooled(size_t n) const { return m_pool && n * sizeof(T) == m_pool->ArrayBytes(); }
    TBlockPool* m_pool = nullptr;
};

} // namespace quarno
