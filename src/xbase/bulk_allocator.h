#pragma once

#include <cstddef>
#include <vector>

namespace xbase {

// Memory for whole-table work (a tag build's keys and record numbers, a
// packed table's image). Blocks of kBulkMinimum and more come straight from
// the system in whole large pages (kLargePage, aligned and advised as such):
// on some machines, virtual ones above all, the first touch of each 4 KB
// page costs more than the work done in it, and a large page is touched
// once. Smaller blocks come from the usual heap. Throws std::bad_alloc.
constexpr std::size_t kLargePage = std::size_t(2) << 20;
constexpr std::size_t kBulkMinimum = std::size_t(256) << 10;
void* allocateBulk(std::size_t bytes);
// Requires: `bytes` as given to allocateBulk().
void freeBulk(void* block, std::size_t bytes) noexcept;

template <class T>
struct BulkAllocator {
    using value_type = T;
    BulkAllocator() = default;
    template <class U>
    BulkAllocator(const BulkAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(allocateBulk(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { freeBulk(p, n * sizeof(T)); }
    friend bool operator==(const BulkAllocator&, const BulkAllocator&) { return true; }
};

template <class T>
using BulkVector = std::vector<T, BulkAllocator<T>>;

}  // namespace xbase
