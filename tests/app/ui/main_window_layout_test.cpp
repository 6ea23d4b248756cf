// The main window's place, kept from one run to the next, and its albums
// grid's columns as the window resizes.
#include <numeric>

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTest>

#include "main_window_fixture.h"
#include "settings/settings_file.h"

namespace {

class MainWindowLayout : public test_support::MainWindowFixture {
protected:
    settings::SettingsFile settingsFile() const
    {
        return settings::SettingsFile({state.programDir, [] { return std::string(); }});
    }
    void writePlace(const QRect& place) const
    {
        settingsFile().writeAtClose({}, 0, false, 0,
                                    settings::WindowGeometry{place.x(), place.y(), place.width(), place.height()});
    }
    int columnsWidth() const
    {
        int sum = 0;
        for (int c = 0; c < albums()->columnCount(); ++c)
            sum += albumsGrid()->columnWidth(c);
        return sum;
    }
};

TEST_F(MainWindowLayout, ThePlaceOfTheLastRunComesBackAndOneOffEveryScreenIsCentred)
{
    useSmallCollection();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    create();
    const QSize least = mainWindow->minimumSizeHint().expandedTo(mainWindow->size());
    const QRect kept(screen.topLeft() + QPoint(10, 20), least + QSize(30, 10));
    writePlace(kept);
    mainWindow->placeOnScreen();
    EXPECT_EQ(mainWindow->geometry(), kept);

    writePlace(QRect(screen.right() + 500, screen.bottom() + 500, 900, 700));
    mainWindow->placeOnScreen();
    EXPECT_LE((mainWindow->frameGeometry().center() - screen.center()).manhattanLength(), 2)
        << "a place on no screen gives the centred default";

    ASSERT_NO_FATAL_FAILURE(start());
    const QRect moved(screen.topLeft() + QPoint(5, 6), least + QSize(12, 14));
    mainWindow->setGeometry(moved);
    mainWindow->close();
    const auto written = settingsFile().readWindowGeometry();
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(QRect(written->left, written->top, written->width, written->height), moved);
}

TEST_F(MainWindowLayout, AlbumColumnsFillAGrowingNormalWindowWithEveryTitleWhole)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    mainWindow->resize(1280, 900);
    QTest::qWait(50);
    const int client = albumsGrid()->viewport()->width();
    ASSERT_GT(client, 900);
    EXPECT_NEAR(columnsWidth(), client, 1) << "the last pixel may be lost halving the first two columns";
    EXPECT_EQ(albumsGrid()->columnWidth(0), albumsGrid()->columnWidth(1));
    EXPECT_GT(albumsGrid()->columnWidth(2), 142) << "Label grows with the others";
    const QHeaderView* header = albumsGrid()->horizontalHeader();
    for (int c = 0; c < albums()->columnCount(); ++c)
        EXPECT_GE(albumsGrid()->columnWidth(c), header->sectionSizeHint(c)) << "title of column " << c;
    EXPECT_EQ(mainWindow->maximizedLayouts(), 0);

    mainWindow->resize(mainWindow->minimumSizeHint());
    QTest::qWait(50);
    EXPECT_EQ(albumsGrid()->columnWidth(0), 265) << "a narrow window keeps the design width";

    mainWindow->setMaximized(true);
    QTest::qWait(50);
    ASSERT_GT(mainWindow->maximizedLayouts(), 0);
    EXPECT_NEAR(columnsWidth(), albumsGrid()->viewport()->width(), 1) << "maximized, it neither scrolls nor leaves room";
}

}  // namespace
