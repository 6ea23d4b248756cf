// The tracks view window offscreen, opened by the main window's Tracks View
// button over the small reference collection: the grid over the built work
// table, the keyboard jump, Escape on a filter, and the way back to the
// album.
#include <numeric>

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "app/ui/main_window_fixture.h"
#include "playback/ui/tracks_view_window.h"
#include "support/modal_dialog.h"

namespace {

using app::ui::Feature;

class TracksViewWindowTest : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        create();
        mainWindow->setFeature(Feature::TracksView, [this] {
            playback::ui::TracksViewWindow::showModal(
                *catalogue, prompter,
                {[this](const std::string& id) { mainWindow->goToAlbum(id); },
                 [](std::string_view) {}, {},
                 [this](const std::function<void()>& step) {
                     ++builds;
                     step();
                 }},
                mainWindow.get());
        });
        ASSERT_NO_FATAL_FAILURE(start());
    }

    // Presses Tracks View; `inWindow` works the window, which must close.
    void openTracksView(const std::function<void(QDialog&, common::ui::CursorGrid&)>& inWindow)
    {
        test_support::whenModalShown([&](QWidget* modal) {
            auto* window = qobject_cast<QDialog*>(modal);
            auto* grid = modal->findChild<common::ui::CursorGrid*>("tracksViewGrid");
            if (window && grid)
                inWindow(*window, *grid);
            else
                ADD_FAILURE() << "not the tracks view";
            if (modal->isVisible()) {
                ADD_FAILURE() << "the window is still open";
                modal->close();
            }
        });
        clickButton("TracksViewButton");
    }

    int builds = 0;  // made while the other windows let go of the tables

    static QString currentCell(const common::ui::CursorGrid& grid, int column)
    {
        return grid.model()->index(grid.currentIndex().row(), column).data().toString();
    }
};

TEST_F(TracksViewWindowTest, RowsOnDemandTheKeyboardJumpAndEscapeOnAFilter)
{
    openTracksView([&](QDialog& window, common::ui::CursorGrid& grid) {
        EXPECT_EQ(grid.model()->rowCount(), static_cast<int>(catalogue->tracksView()->count()));
        EXPECT_GT(grid.model()->rowCount(), 0);
        EXPECT_EQ(grid.currentIndex().row(), 0);

        QTest::keyClick(&grid, 'b');
        EXPECT_TRUE(currentCell(grid, 0).toUpper().startsWith('B')) << currentCell(grid, 0).toStdString();
        EXPECT_EQ(catalogue->tracksView()->fieldTrimmed("Track"), currentCell(grid, 0).toStdString());

        auto* filter = window.findChild<QLineEdit*>("filterEdit");
        filter->setText("genre=\"nothing such\"");
        window.findChild<QAbstractButton*>("setFilterButton")->click();
        EXPECT_EQ(grid.model()->rowCount(), 0);
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(grid.model()->rowCount(), static_cast<int>(catalogue->tracksView()->count()));
        EXPECT_FALSE(window.findChild<QAbstractButton*>("cancelFilterButton")->isEnabled());
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_FALSE(catalogue->tracksView().isOpen());
    EXPECT_EQ(builds, 1);
    openTracksView([](QDialog& window, common::ui::CursorGrid&) { window.close(); });
    EXPECT_EQ(builds, 1) << "a kept table is not built again";
}

TEST_F(TracksViewWindowTest, ColumnsFillAWiderWindowAndMaximizedTheArtistTakesTheRest)
{
    openTracksView([&](QDialog& window, common::ui::CursorGrid& grid) {
        const auto widths = [&] {
            std::vector<int> w;
            for (int c = 0; c < grid.model()->columnCount(); ++c)
                w.push_back(grid.columnWidth(c));
            return w;
        };
        window.resize(1200, 700);
        QTest::qWait(20);
        std::vector<int> w = widths();
        EXPECT_EQ(std::accumulate(w.begin(), w.end(), 0), grid.viewport()->width());
        EXPECT_GT(w[0], 250) << "the first column grows too, not only one";

        window.showMaximized();
        QTest::qWait(20);
        w = widths();
        EXPECT_EQ(w[0], 250) << "maximized, only the artist column grows";
        EXPECT_EQ(std::accumulate(w.begin(), w.end(), 0), std::max(grid.viewport()->width(), 694));
        window.close();
    });
}

TEST_F(TracksViewWindowTest, SwitchingToTheAlbumOfARowMakesItCurrentAndCloses)
{
    std::string id;
    openTracksView([&](QDialog& window, common::ui::CursorGrid& grid) {
        grid.showRow(grid.model()->rowCount() - 1);
        id = catalogue->tracksView()->fieldTrimmed("ID");
        window.findChild<QAbstractButton*>("switchToAlbumButton")->click();
    });
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(albumCursor().fieldTrimmed("ID"), id);
}

}  // namespace
