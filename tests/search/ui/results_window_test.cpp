// Going to a hit from a result window: a double-click goes, a track hit
// becomes the current track, a notes hit tells where its text was found.
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include "app/ui/main_window_fixture.h"
#include "search/search_rows.h"
#include "support/modal_dialog.h"

namespace {

constexpr int kArtistField = 0;
constexpr int kNotesField = 3;
constexpr int kTrackField = 4;

class ResultsWindow : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        test_support::appendSearchRows(dir.path());
        ASSERT_NO_FATAL_FAILURE(start());
    }

    // Searches `text` in the field at `field`, lets `look` at the hits and
    // double-clicks row `row` of the result window.
    void doubleClickHit(int field, const QString& text, int row,
                        const std::function<void(QAbstractItemModel&)>& look = {})
    {
        child<QComboBox>("FieldList")->setCurrentIndex(field);
        child<QLineEdit>("SearchText")->setText(text);
        test_support::whenModalShown([&](QWidget* window) {
            auto* grid = window->findChild<common::ui::CursorGrid*>("ResultsGrid");
            if (look)
                look(*grid->model());
            const QRect cell = grid->visualRect(grid->model()->index(row, 1));
            // A double click on a widget arrives after the press of its first click.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            if (window->isVisible()) {
                ADD_FAILURE() << "the double-click did not go";
                window->close();
            }
        });
        clickButton("FindButton");
    }
    QString current(const common::ui::CursorGrid* grid, int column) const
    {
        return cell(grid->model(), grid->currentIndex().row(), column).trimmed();
    }
};

TEST_F(ResultsWindow, ATrackHitBecomesTheCurrentTrackOfItsAlbum)
{
    doubleClickHit(kTrackField, "something", 1);
    EXPECT_EQ(current(albumsGrid(), 1), "Abbey Road");
    EXPECT_EQ(current(tracksGrid(), 0), "2");
    EXPECT_EQ(current(tracksGrid(), 1), "Something");
    EXPECT_EQ(catalogue->currentAlbumTracks()->fieldTrimmed("TRACK"), "Something");

    doubleClickHit(kArtistField, "smith", 0);
    EXPECT_EQ(current(albumsGrid(), 1), "Now That's What I Call Music");
    EXPECT_EQ(current(tracksGrid(), 1), "Jane Smith / Song") << "the artist's track on a multi-artist album";
}

TEST_F(ResultsWindow, ANotesHitShowsTheLineWhereItsTextWasFound)
{
    doubleClickHit(kNotesField, "FOURTH", 0, [](QAbstractItemModel& hits) {
        EXPECT_EQ(hits.data(hits.index(0, 0), Qt::ToolTipRole).toString(), "Fourth line after an empty one");
    });
    EXPECT_EQ(current(albumsGrid(), 1), "The Exactly Fifty Character Album Title Is Here!!!");
    EXPECT_TRUE(child<QStatusBar>("StatusBar")->currentMessage().endsWith("Fourth line after an empty one"));
}

}  // namespace
