// A cursor grid's columns sharing out its width, and its moves that keep
// the view from scrolling sideways.
#include <gtest/gtest.h>

#include <numeric>

#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>

#include "common/ui/cursor_grid.h"

namespace {

using common::ui::sharedWidths;

TEST(SharedWidths, RoomIsSharedInProportionAndFillsTheWidth)
{
    struct Case {
        std::vector<int> design, minimum;
        int available;
        std::vector<int> expected;
    };
    const std::vector<Case> cases{
        {{100, 300}, {}, 800, {200, 600}},
        {{100, 100, 100}, {}, 400, {133, 133, 134}},  // no pixel lost to rounding
        {{100, 300}, {}, 300, {100, 300}},            // narrower: the design, scrolled
        {{265, 42}, {0, 60}, 400, {329, 71}},         // a title wider than its design
        {{40, 0}, {}, 100, {100, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sharedWidths(c.design, c.minimum, c.available), c.expected) << c.available;
    }
}

class CursorGridTest : public testing::Test {
protected:
    CursorGridTest() : grid("Grid"), model(200, 4)
    {
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < model.columnCount(); ++c)
                model.setItem(r, c, new QStandardItem(QString::number(r)));
        grid.setModel(&model);
        grid.resize(300, 200);
    }

    common::ui::CursorGrid grid;
    QStandardItemModel model;
};

TEST_F(CursorGridTest, CtrlEndGoesToTheLastRowWithoutScrollingSideways)
{
    for (int c = 0; c < model.columnCount(); ++c)
        grid.setColumnWidth(c, 200);
    grid.show();
    grid.showRow(0);
    ASSERT_GT(grid.horizontalScrollBar()->maximum(), 0);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.currentIndex().row(), model.rowCount() - 1);
    EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
}

TEST_F(CursorGridTest, ColumnsKeepFillingTheGridAsItResizes)
{
    grid.fillWidth({40, 100, 100, 60});
    grid.show();
    for (const int width : {400, 900, 650}) {
        grid.resize(width, 200);
        QTest::qWait(10);
        int sum = 0;
        for (int c = 0; c < model.columnCount(); ++c)
            sum += grid.columnWidth(c);
        EXPECT_EQ(sum, grid.viewport()->width()) << width;
        EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0) << width;
    }
}

}  // namespace
