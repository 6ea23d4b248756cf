// Bulk memory: every byte asked for is there, large blocks sit on large-page
// boundaries, and giving a block back leaves its neighbours alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "xbase/bulk_allocator.h"

namespace {

using xbase::kBulkMinimum;
using xbase::kLargePage;

TEST(BulkAllocator, BlocksHoldWhatWasAskedForAndLargeOnesAreAligned)
{
    const std::size_t sizes[] = {1, kBulkMinimum - 1, kBulkMinimum, kLargePage, kLargePage + 1, 3 * kLargePage - 5};
    std::uint8_t* blocks[std::size(sizes)];
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        blocks[i] = static_cast<std::uint8_t*>(xbase::allocateBulk(sizes[i]));
        std::memset(blocks[i], int(i + 1), sizes[i]);
        if (sizes[i] >= kBulkMinimum) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(blocks[i]) % kLargePage, 0u) << sizes[i];
        }
    }
    for (std::size_t i = 0; i < std::size(sizes); i += 2)
        xbase::freeBulk(blocks[i], sizes[i]);
    for (std::size_t i = 1; i < std::size(sizes); i += 2) {
        EXPECT_EQ(blocks[i][0], i + 1);
        EXPECT_EQ(blocks[i][sizes[i] - 1], i + 1);
        xbase::freeBulk(blocks[i], sizes[i]);
    }

    xbase::BulkVector<std::uint32_t> numbers;
    for (std::uint32_t n = 0; n < 1000000; ++n)
        numbers.push_back(n);
    EXPECT_EQ(numbers[999999], 999999u);
}

}  // namespace
