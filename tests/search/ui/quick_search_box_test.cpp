// The quick search box and its result windows offscreen, on the small
// collection with artists named Smith and a title holding a double quote.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/ui/main_window_fixture.h"
#include "search/search_rows.h"
#include "support/modal_dialog.h"
#include "xbase/file_names.h"

namespace {

using test_support::ScriptedPrompter;

constexpr int kArtistField = 0;
constexpr int kAlbumField = 1;
constexpr int kTrackField = 4;

class QuickSearchBox : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        test_support::appendSearchRows(dir.path());
        ASSERT_NO_FATAL_FAILURE(start());
    }

    // Types `text` for the field at `field` and starts the search with
    // `start`; `inWindow` works the result window, which must close.
    void search(int field, const QString& text, const std::function<void(QDialog&)>& inWindow,
                const std::function<void()>& start)
    {
        child<QComboBox>("FieldList")->setCurrentIndex(field);
        auto* edit = child<QLineEdit>("SearchText");
        edit->clear();
        QTest::keyClicks(edit, text);
        test_support::whenModalShown([&](QWidget* modal) {
            auto* window = qobject_cast<QDialog*>(modal);
            if (window)
                inWindow(*window);
            else
                ADD_FAILURE() << "not a dialog";
            if (modal->isVisible()) {
                ADD_FAILURE() << "the result window is still open";
                modal->close();
            }
        });
        start();
    }
    void search(int field, const QString& text, const std::function<void(QDialog&)>& inWindow)
    {
        search(field, text, inWindow, [this] { clickButton("FindButton"); });
    }

    static common::ui::CursorGrid* grid(QDialog& window)
    {
        return window.findChild<common::ui::CursorGrid*>("ResultsGrid");
    }
    static QStringList row(QDialog& window, int r)
    {
        QStringList cells;
        const QAbstractItemModel* model = grid(window)->model();
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->data(model->index(r, c)).toString().trimmed();
        return cells;
    }
    static void press(QDialog& window, const char* button) { window.findChild<QPushButton*>(button)->click(); }
    QString currentCell(int column) const { return cell(albums(), albumsGrid()->currentIndex().row(), column); }
};

TEST_F(QuickSearchBox, ArtistHitsShowTrackNumbersAndPickingOneKeepsTheGridsOrder)
{
    clickTitle(1);  // albums in Album order
    search(kArtistField, "smith", [&](QDialog& window) {
        EXPECT_EQ(window.objectName(), "ArtistResultsWindow");
        EXPECT_EQ(window.windowTitle(), "Vinora One-Stop Artist Search (including multi-artist) for \"smith\" (2 found)");
        ASSERT_EQ(grid(window)->model()->rowCount(), 2);
        EXPECT_EQ(row(window, 0), (QStringList{"7", "Jane Smith", "Now That's What I Call Music", "CDR 010"}));
        EXPECT_EQ(row(window, 1), (QStringList{"", "John Smith", "Smith Sessions", "Shelf 9"}));
        clickRow(grid(window), 0);
        press(window, "GoToAlbumButton");
    });
    EXPECT_EQ(currentCell(1), "Now That's What I Call Music");
    EXPECT_TRUE(xbase::equalsNoCase(albumCursor().order(), "Album"));
    EXPECT_EQ(albumsGrid()->currentIndex().row(), static_cast<int>(albumCursor().row()));
}

TEST_F(QuickSearchBox, EnterStartsTheTrackSearchAndPicksTheSelectedTrack)
{
    search(
        kTrackField, "come as",
        [&](QDialog& window) {
            EXPECT_EQ(window.objectName(), "TrackResultsWindow");
            EXPECT_EQ(window.windowTitle(), "Vinora - Tracks containing \"come as\" (1 found)");
            ASSERT_EQ(grid(window)->model()->rowCount(), 1);
            EXPECT_EQ(row(window, 0), (QStringList{"3", "Come as You Are", "Nirvana", "Nevermind"}));
            const QAbstractItemModel* model = grid(window)->model();
            EXPECT_TRUE(model->data(model->index(0, 0), Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
            QTest::keyClick(grid(window), Qt::Key_Return);
        },
        [this] { QTest::keyClick(child<QLineEdit>("SearchText"), Qt::Key_Return); });
    EXPECT_EQ(currentCell(1), "Nevermind");
    EXPECT_TRUE(xbase::equalsNoCase(albumCursor().order(), "Artist"));
    EXPECT_FALSE(catalogue->allTracks()->filtered());
}

TEST_F(QuickSearchBox, ADoubleQuoteIsSearchedForAndCloseLeavesTheCurrentAlbum)
{
    const QString before = currentCell(1);
    search(kAlbumField, "12\"", [&](QDialog& window) {
        EXPECT_EQ(window.objectName(), "AlbumResultsWindow");
        EXPECT_EQ(window.windowTitle(), "Vinora - Albums containing \"12\"\" (1 found)");
        ASSERT_EQ(grid(window)->model()->rowCount(), 1);
        EXPECT_EQ(row(window, 0).front(), "The 12\" Mixes");
        press(window, "CloseButton");
    });
    EXPECT_EQ(currentCell(1), before);
    EXPECT_TRUE(prompter.requests().empty());
}

TEST_F(QuickSearchBox, EmptyTextAndNoHitsAreToldAndClearEmptiesTheText)
{
    child<QComboBox>("FieldList")->setCurrentIndex(kAlbumField);
    auto* edit = child<QLineEdit>("SearchText");
    clickButton("FindButton");
    EXPECT_EQ(mainWindow->focusWidget(), edit);

    QTest::keyClicks(edit, "no such album");
    clickButton("FindButton");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info),
              (std::vector<std::string>{"Nothing to find: type a part of what the \"Album\" field holds (letter case "
                                        "does not matter), then press Find It.",
                                        "Could not find: no such album"}));
    EXPECT_FALSE(catalogue->albumLookup()->filtered());

    clickButton("ClearButton");
    EXPECT_TRUE(edit->text().isEmpty());
}

}  // namespace
