#include "xbase/bulk_allocator.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace xbase {
namespace {

std::size_t roundedUp(std::size_t bytes) { return (bytes + kLargePage - 1) / kLargePage * kLargePage; }

}  // namespace

void* allocateBulk(std::size_t bytes)
{
    if (bytes < kBulkMinimum)
        return ::operator new(bytes);
    const std::size_t size = roundedUp(bytes);
    // Mapped one page too large, then cut to the alignment.
    void* mapped = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<std::uint8_t*>(mapped);
    const std::size_t head = (kLargePage - reinterpret_cast<std::uintptr_t>(start) % kLargePage) % kLargePage;
    if (head > 0)
        ::munmap(start, head);
    ::munmap(start + head + size, kLargePage - head);
    // Only advice: without large pages the memory works as it is.
    ::madvise(start + head, size, MADV_HUGEPAGE);
    return start + head;
}

void freeBulk(void* block, std::size_t bytes) noexcept
{
    if (bytes < kBulkMinimum)
        ::operator delete(block);
    else
        ::munmap(block, roundedUp(bytes));
}

}  // namespace xbase
