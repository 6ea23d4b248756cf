// The albums browser offscreen: first run, the collection buttons, orders
// by column title, the repeated click, natural order, the keyboard jump,
// marked tracks and the popup menu.
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>

#include "main_window_fixture.h"

namespace {

using app::ui::Feature;
using test_support::ScriptedPrompter;

class MainWindow : public test_support::MainWindowFixture {};

// Rows of the small collection in artist order.
constexpr int kBeatlesRow = 10;
constexpr int kVariousRow = 12;
constexpr int kPinkFloydRow = 8;

TEST_F(MainWindow, FirstRunShowsItsStepsAndAnEmptyCollection)
{
    prompter.answerWindow(false);  // the tip of the day
    create();
    mainWindow->setFeature(Feature::Delete, [] {});
    QSignalSpy messages(child<QStatusBar>("StatusBar"), &QStatusBar::messageChanged);
    ASSERT_NO_FATAL_FAILURE(start());

    // The sequence's steps reach the status bar, which is idle at the end.
    ASSERT_GT(messages.size(), 1);
    EXPECT_EQ(messages.first().at(0).toString(), "Creating data files ...");
    EXPECT_EQ(messages.last().at(0).toString(), "");

    EXPECT_EQ(albums()->rowCount(), 0);
    EXPECT_EQ(tracks()->rowCount(), 0);
    for (const char* button : {"DeleteButton", "ModifyButton", "PlaylistButton"})
        EXPECT_FALSE(child<QWidget>(button)->isEnabled()) << button;
    EXPECT_EQ(mainWindow->windowTitle(), " Vinora - Music Collection Manager");
    EXPECT_EQ(prompter.windowsShown(), std::vector{ScriptedPrompter::Window::TipOfTheDay});
    EXPECT_NE(settingsText().find("[Current]"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.file("Vinoratips.txt")));
}

// Without a window manager, or where focus stealing is prevented, the
// window never hears that it became active.
TEST_F(MainWindow, StartsWhenShownWithoutBecomingActive)
{
    struct NoActivation : QObject {
        bool eventFilter(QObject*, QEvent* event) override
        {
            return event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowActivate;
        }
    } noActivation;
    useSmallCollection();
    create();
    mainWindow->installEventFilter(&noActivation);
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(albums()->rowCount(), 14);
    mainWindow->removeEventFilter(&noActivation);
}

TEST_F(MainWindow, CollectionButtonsFollowTheAlbumsAndTheFeaturesThere)
{
    useSmallCollection();
    create();
    for (Feature f : {Feature::Delete, Feature::Modify, Feature::Playlist})
        mainWindow->setFeature(f, [] {});
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(albums()->rowCount(), 14);
    for (const char* button : {"DeleteButton", "ModifyButton", "PlaylistButton"})
        EXPECT_TRUE(child<QWidget>(button)->isEnabled()) << button;
    auto* addOther = child<QWidget>("AddOtherButton");
    EXPECT_FALSE(addOther->isEnabled());
    EXPECT_EQ(addOther->toolTip(), "Add Media not in CD-ROM drive - Not available yet");
}

TEST_F(MainWindow, AddingTheFirstAlbumEnablesTheCollectionButtons)
{
    prompter.answerWindow(false);
    ASSERT_NO_FATAL_FAILURE(start());
    mainWindow->setFeature(Feature::Modify, [] {});
    mainWindow->setFeature(Feature::AddOther, [this] {
        xbase::Cursor& c = catalogue->albums().cursor();
        c.append();
        c.setField("Artist", "Nina Simone");
        c.setField("ID", catalogue->nextManualAlbumId());
        c.post();
    });
    auto* modify = child<QWidget>("ModifyButton");
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_EQ(modify->toolTip(), "Edit Current Entry - the collection has no albums yet: add one with Add CD or Add Other");
    clickButton("AddOtherButton");
    EXPECT_EQ(albums()->rowCount(), 1);
    EXPECT_EQ(currentArtist(), "Nina Simone");
    EXPECT_TRUE(modify->isEnabled());
    EXPECT_EQ(modify->toolTip(), "Edit Current Entry");
}

TEST_F(MainWindow, StartsInArtistOrderWithTheArtistTitleAqua)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(albums()->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(Qt::cyan));
    for (int c = 1; c < 4; ++c)
        EXPECT_FALSE(albums()->headerData(c, Qt::Horizontal, Qt::BackgroundRole).isValid()) << c;
    EXPECT_EQ(albumsGrid()->currentIndex().row(), 0);
    EXPECT_EQ(cell(albums(), 5, 0), QString::fromUtf8("Bj\xc3\xb6rk"));
    EXPECT_TRUE(child<QWidget>("NaturalOrderButton")->isEnabled());
}

TEST_F(MainWindow, GenreTitleOrdersByGenreThenArtist)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    clickRow(albumsGrid(), kVariousRow);
    clickTitle(3);
    EXPECT_EQ(albumCursor().order(), "GENRE");
    EXPECT_EQ(albums()->headerData(3, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(Qt::cyan));
    EXPECT_FALSE(albums()->headerData(0, Qt::Horizontal, Qt::BackgroundRole).isValid());
    EXPECT_EQ(currentArtist(), "Various Artists") << "the current album stays current";
    EXPECT_EQ(albumsGrid()->currentIndex().row(), static_cast<int>(albumCursor().row()));
    for (int row = 1; row < albums()->rowCount(); ++row)
        EXPECT_LE(cell(albums(), row - 1, 3).toUpper(), cell(albums(), row, 3).toUpper()) << row;
    EXPECT_TRUE(child<QWidget>("NaturalOrderButton")->isEnabled());
}

TEST_F(MainWindow, RepeatedTitleClickJumpsToTheNextDifferentArtist)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    clickRow(albumsGrid(), kBeatlesRow);
    EXPECT_EQ(currentArtist(), "The Beatles");
    EXPECT_EQ(albumCursor().recno(), 8u);
    clickTitle(0);
    EXPECT_EQ(albumsGrid()->currentIndex().row(), kVariousRow);
    EXPECT_EQ(albumCursor().fieldTrimmed("Artist"), "Various Artists");
    EXPECT_EQ(child<QLabel>("YearText")->text(), "1985");
    EXPECT_EQ(albumCursor().order(), "ARTIST") << "the order stays";
}

TEST_F(MainWindow, NaturalOrderListsAlbumsAsEnteredUntilATitleIsClicked)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    clickButton("NaturalOrderButton");
    EXPECT_EQ(albumCursor().order(), "");
    EXPECT_FALSE(child<QWidget>("NaturalOrderButton")->isEnabled());
    for (int c = 0; c < 4; ++c)
        EXPECT_FALSE(albums()->headerData(c, Qt::Horizontal, Qt::BackgroundRole).isValid()) << c;
    EXPECT_EQ(cell(albums(), 0, 0), "Pink Floyd") << "record 1 first";

    clickRow(albumsGrid(), 3);
    QTest::keyClick(albumsGrid(), 'B');
    EXPECT_EQ(albumsGrid()->currentIndex().row(), 3) << "no keyboard jump in natural order";

    clickTitle(1);
    EXPECT_TRUE(child<QWidget>("NaturalOrderButton")->isEnabled());
    QTest::keyClick(albumsGrid(), 'b');
    EXPECT_EQ(cell(albums(), albumsGrid()->currentIndex().row(), 1), "Dr. Feelgood")
        << "no album starts with B: the next title after it";
    QTest::keyClick(albumsGrid(), 'h');
    EXPECT_EQ(cell(albums(), albumsGrid()->currentIndex().row(), 1), "Homogenic");
    EXPECT_EQ(albumCursor().fieldTrimmed("Album"), "Homogenic");
}

TEST_F(MainWindow, MarkedTracksAreYellowAndBoldItalic)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    clickRow(albumsGrid(), kPinkFloydRow);
    ASSERT_EQ(tracks()->rowCount(), 10);
    EXPECT_EQ(cell(tracks(), 0, 1), "Speak to Me");
    auto background = [&](int row) { return tracks()->data(tracks()->index(row, 1), Qt::BackgroundRole); };
    auto font = [&](int row) { return tracks()->data(tracks()->index(row, 0), Qt::FontRole).value<QFont>(); };
    for (int row : {0, 1, 9}) {
        EXPECT_EQ(background(row).value<QColor>(), QColor(Qt::yellow)) << row;
        EXPECT_TRUE(font(row).bold() && font(row).italic()) << row;
    }
    EXPECT_FALSE(background(2).isValid());
    EXPECT_TRUE(font(2).bold());
    EXPECT_FALSE(font(2).italic());

    // Unmarked elsewhere: drawn plainly after the refresh.
    ASSERT_TRUE(catalogue->playlist()->seek("7a0b3c0d  2"));
    catalogue->playlist()->deleteRow();
    mainWindow->refreshGrids();
    EXPECT_FALSE(background(1).isValid());
    EXPECT_FALSE(font(1).italic());
    EXPECT_EQ(background(0).value<QColor>(), QColor(Qt::yellow));
}

TEST_F(MainWindow, PopupMenuEntriesStartTheWindowsOwnFeatures)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_FALSE(child<QAction>("OptionsItem")->isEnabled()) << "no handler registered";
    child<QAction>("NaturalOrderItem")->trigger();
    EXPECT_EQ(albumCursor().order(), "");
    EXPECT_TRUE(child<QAction>("NaturalOrderItem")->isEnabled());
    prompter.answerWindow(false);
    child<QAction>("TipOfTheDayItem")->trigger();
    EXPECT_EQ(prompter.windowsShown(), std::vector{ScriptedPrompter::Window::TipOfTheDay});
    child<QAction>("ExitItem")->trigger();
    EXPECT_FALSE(mainWindow->isVisible());
}

TEST_F(MainWindow, CancelFilterIsEnabledOnlyWhileTheAlbumsAreFiltered)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    auto* menu = child<QMenu>("MainPopupMenu");
    QAction* cancel = child<QAction>("CancelFilterItem");
    catalogue->albums()->setFilter("Genre = 'rock'");
    catalogue->albums()->setFiltered(true);
    emit menu->aboutToShow();
    EXPECT_FALSE(cancel->isEnabled()) << "filters are not there yet";

    mainWindow->setFeature(Feature::CancelFilter, [this] { catalogue->albums()->setFiltered(false); });
    emit menu->aboutToShow();
    EXPECT_TRUE(cancel->isEnabled());
    cancel->trigger();
    EXPECT_EQ(albums()->rowCount(), 14);

    // The greyed entry tells why when the mouse rests on it.
    menu->popup(mainWindow->mapToGlobal(QPoint(10, 10)));
    EXPECT_FALSE(cancel->isEnabled());
    const QPoint onEntry = menu->actionGeometry(cancel).center();
    QHelpEvent rest(QEvent::ToolTip, onEntry, menu->mapToGlobal(onEntry));
    QApplication::sendEvent(menu, &rest);
    EXPECT_EQ(QToolTip::text(), "Cancel Filter - no filter is set");
    menu->close();
}

}  // namespace
