// The playlist marking dialog offscreen, opened by the main window's
// Playlist button: its lists, buttons, running time and count, OK and
// Cancel.
#include <QAbstractButton>
#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "app/ui/main_window_fixture.h"
#include "playback/ui/mark_tracks.h"
#include "support/catalogue_rows.h"
#include "support/fixture_files.h"
#include "support/modal_dialog.h"
#include "xbase/table.h"

namespace {

using app::ui::Feature;
using test_support::ScriptedPrompter;

constexpr const char* kAlbum = "z0000009";

class PlaylistMarkingDialogTest : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        using test_support::appendRow;
        appendRow(dir.path(), "ALBUMS.DBF", {{"ID", kAlbum}, {"Album", "Night Songs"}, {"Artist", "Aaron"}});
        const char* tracks[][3] = {
            {"  1", "Dawn", "1500"}, {"  2", "Noon", "1578"}, {"  3", "Night Road", "643"}, {"  4", "Low Tide", "550"}};
        for (const auto& [nr, title, secs] : tracks)
            appendRow(dir.path(), "TRACKS.DBF", {{"ID", kAlbum}, {"NR", nr}, {"Track", title}, {"Secs", secs}});
        create();
        mainWindow->setFeature(Feature::Playlist, [this] {
            playback::ui::markTracks(*catalogue, prompter, mainWindow.get(), *tracksGrid(),
                                     [this](std::string_view page) { pages.emplace_back(page); });
        });
        ASSERT_NO_FATAL_FAILURE(start());
        ASSERT_TRUE(mainWindow->goToAlbum(kAlbum));
    }

    // Presses Playlist; `inDialog` works the dialog, which must close.
    void mark(const std::function<void(QDialog&)>& inDialog)
    {
        test_support::whenModalShown([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                inDialog(*dialog);
            if (modal->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                modal->close();
            }
        });
        clickButton("PlaylistButton");
    }

    static QStringList entries(QDialog& dialog, const char* list)
    {
        QStringList texts;
        auto* widget = dialog.findChild<QListWidget*>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }
    static void select(QDialog& dialog, const char* list, std::initializer_list<int> rows)
    {
        auto* widget = dialog.findChild<QListWidget*>(list);
        widget->clearSelection();
        for (int r : rows)
            widget->item(r)->setSelected(true);
    }
    static void press(QDialog& dialog, const char* button) { dialog.findChild<QAbstractButton*>(button)->click(); }
    static QString text(QDialog& dialog, const char* name)
    {
        if (auto* edit = dialog.findChild<QLineEdit*>(name))
            return edit->text();
        return dialog.findChild<QLabel*>(name)->text();
    }
    static bool enabled(QDialog& dialog, const char* button) { return dialog.findChild<QWidget*>(button)->isEnabled(); }

    std::vector<std::string> albumMarks() const
    {
        std::vector<std::string> mine;
        for (const std::string& row : test_support::playlistRows(dir.path()))
            if (row.rfind(kAlbum, 0) == 0)
                mine.push_back(row.substr(9));
        return mine;
    }

    std::vector<std::string> pages;
};

TEST_F(PlaylistMarkingDialogTest, EntriesRunningTimeCountAndButtonsAsTracksMove)
{
    mark([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), " Select tracks to mark for playlist or copy [Night Songs]");
        EXPECT_FALSE(tracksGrid()->isVisible()) << "the tracks grid is hidden meanwhile";
        EXPECT_EQ(entries(dialog, "AvailableList"), (QStringList{"  1-Dawn (25:00)", "  2-Noon (26:18)",
                                                                 "  3-Night Road (10:43)", "  4-Low Tide (9:10)"}));
        EXPECT_TRUE(entries(dialog, "MarkedList").isEmpty());
        EXPECT_EQ(text(dialog, "RunningTime"), "  0:00");
        EXPECT_EQ(text(dialog, "MarkedCount"), "0");
        EXPECT_TRUE(enabled(dialog, "IncludeButton") && enabled(dialog, "IncludeAllButton"));
        EXPECT_FALSE(enabled(dialog, "ExcludeButton") || enabled(dialog, "ExcludeAllButton"));

        select(dialog, "AvailableList", {0, 1, 2});
        press(dialog, "IncludeButton");
        EXPECT_EQ(entries(dialog, "MarkedList"),
                  (QStringList{"  1-Dawn (25:00)", "  2-Noon (26:18)", "  3-Night Road (10:43)"}));
        EXPECT_EQ(text(dialog, "RunningTime"), " 62:05");
        EXPECT_EQ(text(dialog, "MarkedCount"), "3");
        EXPECT_EQ(dialog.findChild<QListWidget*>("AvailableList")->selectedItems().size(), 1);
        EXPECT_TRUE(enabled(dialog, "ExcludeButton"));

        press(dialog, "IncludeButton");  // Low Tide, selected after the move
        EXPECT_TRUE(entries(dialog, "AvailableList").isEmpty());
        EXPECT_FALSE(enabled(dialog, "IncludeButton") || enabled(dialog, "IncludeAllButton"));
        EXPECT_EQ(text(dialog, "RunningTime"), " 71:17");

        select(dialog, "MarkedList", {0});
        press(dialog, "ExcludeButton");
        EXPECT_EQ(entries(dialog, "AvailableList"), QStringList{"  1-Dawn (25:00)"});
        EXPECT_EQ(text(dialog, "MarkedCount"), "3");
        press(dialog, "OKButton");
    });
    EXPECT_TRUE(tracksGrid()->isVisible());
    EXPECT_EQ(albumMarks(), (std::vector<std::string>{"  2", "  3", "  4"}));
    // The tracks grid draws the marked tracks yellow.
    EXPECT_NE(tracks()->data(tracks()->index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    EXPECT_EQ(tracks()->data(tracks()->index(1, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
}

TEST_F(PlaylistMarkingDialogTest, ReopeningShowsTwoCharacterMinutesAndExcludingAllRemovesTheMarks)
{
    mark([&](QDialog& dialog) {
        press(dialog, "IncludeAllButton");
        press(dialog, "OKButton");
    });
    const std::vector<std::string> before = test_support::playlistRows(dir.path());
    mark([&](QDialog& dialog) {
        EXPECT_EQ(entries(dialog, "MarkedList").back(), "  4-Low Tide ( 9:10)");
        EXPECT_EQ(text(dialog, "RunningTime"), " 71:17");
        EXPECT_EQ(text(dialog, "MarkedCount"), "4");
        press(dialog, "ExcludeAllButton");
        EXPECT_TRUE(entries(dialog, "MarkedList").isEmpty());
        EXPECT_EQ(text(dialog, "RunningTime"), "  0:00");
        EXPECT_EQ(text(dialog, "MarkedCount"), "0");
        EXPECT_FALSE(enabled(dialog, "ExcludeButton"));
        EXPECT_TRUE(enabled(dialog, "IncludeButton"));
        press(dialog, "OKButton");
    });
    EXPECT_TRUE(albumMarks().empty());
    std::vector<std::string> others(before.begin(), before.end() - 4);
    EXPECT_EQ(test_support::playlistRows(dir.path()), others) << "other albums keep their marks";
    EXPECT_EQ(catalogue->playlist()->table().recordCount(), others.size()) << "packed";
}

TEST_F(PlaylistMarkingDialogTest, CancelWritesNothingAndHelpOpensThePlaylistPage)
{
    const std::string file = dir.file("PLAYLIST.DBF");
    const std::string before = test_support::readFile(file);
    mark([&](QDialog& dialog) {
        press(dialog, "IncludeAllButton");
        press(dialog, "HelpButton");
        press(dialog, "CancelButton");
    });
    EXPECT_EQ(test_support::readFile(file), before);
    EXPECT_EQ(pages, std::vector<std::string>{"CDhelp2.html#playlist"});
}

TEST_F(PlaylistMarkingDialogTest, AFailedSaveIsToldAndKeepsTheDialogOpen)
{
    mark([&](QDialog& dialog) {
        const auto held = xbase::Table::open(catalogue->playlist().path(), xbase::OpenMode::Shared);
        press(dialog, "IncludeAllButton");
        press(dialog, "OKButton");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error).size(), 1u);
        press(dialog, "CancelButton");
    });
    EXPECT_TRUE(albumMarks().empty());
}

TEST_F(PlaylistMarkingDialogTest, NoLastTrackLengthHidesTheRunningTime)
{
    ASSERT_TRUE(mainWindow->goToAlbum("z0000001"));
    mark([&](QDialog& dialog) {
        EXPECT_EQ(entries(dialog, "AvailableList"), QStringList{"  1-"});
        EXPECT_TRUE(dialog.findChild<QWidget*>("RunningTime")->isHidden());
        EXPECT_TRUE(dialog.findChild<QWidget*>("RunningTimeLabel")->isHidden());
        press(dialog, "CancelButton");
    });
}

}  // namespace
