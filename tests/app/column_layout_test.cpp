// The albums grid's first two columns as the window resizes, and the count
// of maximized layouts that closing reads.
#include <gtest/gtest.h>

#include "app/column_layout.h"

namespace {

using app::ColumnLayout;

TEST(ColumnLayout, NormalWindowKeepsTheDesignWidthAndIsNotCounted)
{
    ColumnLayout layout;
    EXPECT_EQ(layout.apply(false, 1900), 265);
    EXPECT_EQ(layout.maximizedLayouts(), 0);
}

TEST(ColumnLayout, MaximizedWindowAddsHalfTheExtraRoomRoundedTowardZero)
{
    // The four columns with their grid lines are 717 wide.
    ColumnLayout layout;
    EXPECT_EQ(layout.apply(true, 717 + 501), 265 + 250);
    // One pixel narrower than the design: -1 / 2 is 0, not -1.
    EXPECT_EQ(layout.apply(true, 717 - 1), 265);
    EXPECT_EQ(layout.apply(true, 717 - 3), 264);
    EXPECT_EQ(layout.maximizedLayouts(), 3);
}

TEST(ColumnLayout, TinyMaximizedGridKeepsAUsableColumn)
{
    ColumnLayout layout;
    EXPECT_EQ(layout.apply(true, 0), ColumnLayout::kNarrowest);
}

}  // namespace
