// The albums grid's first two columns as the window resizes, and the count
// of maximized layouts that closing reads.
#include <gtest/gtest.h>

#include "app/column_layout.h"

namespace {

using app::ColumnLayout;

TEST(ColumnLayout, TotalDesignWidthCountsTheGridLines)
{
    EXPECT_EQ(ColumnLayout::kTotalDesignWidth, 265 + 262 + 142 + 42 + 4 * 2 - 2);
}

TEST(ColumnLayout, NormalWindowKeepsTheDesignWidthAndIsNotCounted)
{
    ColumnLayout layout;
    EXPECT_EQ(layout.apply(false, 1900), 265);
    EXPECT_EQ(layout.maximizedLayouts(), 0);
}

TEST(ColumnLayout, MaximizedWindowAddsHalfTheExtraRoomRoundedTowardZero)
{
    ColumnLayout layout;
    EXPECT_EQ(layout.apply(true, ColumnLayout::kTotalDesignWidth + 501), 265 + 250);
    // One pixel narrower than the design: -1 / 2 is 0, not -1.
    EXPECT_EQ(layout.apply(true, ColumnLayout::kTotalDesignWidth - 1), 265);
    EXPECT_EQ(layout.apply(true, ColumnLayout::kTotalDesignWidth - 3), 264);
    EXPECT_EQ(layout.maximizedLayouts(), 3);
}

TEST(ColumnLayout, TinyMaximizedGridKeepsAUsableColumn)
{
    ColumnLayout layout;
    EXPECT_EQ(layout.apply(true, 0), ColumnLayout::kNarrowest);
}

}  // namespace
