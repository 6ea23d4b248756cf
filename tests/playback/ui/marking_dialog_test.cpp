// The playlist marking dialog offscreen, opened by the main window's
// Playlist button: its lists, buttons, running time and count, OK and
// Cancel.
#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "app/ui/main_window_fixture.h"
#include "playback/ui/playlist_button.h"
#include "support/catalogue_rows.h"
#include "support/fixture_files.h"
#include "support/modal_dialog.h"
#include "xbase/table.h"

namespace {

using app::ui::Feature;
using test_support::ScriptedPrompter;

constexpr const char* kAlbum = "z0000009";

class MarkingDialog : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        using test_support::appendRow;
        appendRow(dir.path(), "ALBUMS.DBF", {{"ID", kAlbum}, {"Album", "Night Songs"}, {"Artist", "Aaron"}});
        const char* tracks[][3] = {{"  1", "Dawn", "1500"}, {"  2", "Noon", "1578"}, {"  3", "Night Road", "643"},
                                   {"  4", "Low Tide", "550"}};
        for (const auto& [nr, title, secs] : tracks)
            appendRow(dir.path(), "TRACKS.DBF", {{"ID", kAlbum}, {"NR", nr}, {"Track", title}, {"Secs", secs}});
        create();
        form->setFeature(Feature::Playlist, [this] {
            playback::ui::playListButtonClick(*catalogue, prompter, form.get(),
                                              [this](std::string_view page) { pages.emplace_back(page); });
        });
        ASSERT_NO_FATAL_FAILURE(start());
        ASSERT_TRUE(form->goToAlbum(kAlbum));
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
        clickButton("PlayListButton");
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

TEST_F(MarkingDialog, EntriesRunningTimeCountAndButtonsAsTracksMove)
{
    mark([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), " Select tracks to mark for playlist or copy [Night Songs]");
        EXPECT_FALSE(cdGrid()->isVisible()) << "the tracks grid is hidden meanwhile";
        EXPECT_EQ(entries(dialog, "SrcList"),
                  (QStringList{"  1-Dawn (25:00)", "  2-Noon (26:18)", "  3-Night Road (10:43)", "  4-Low Tide (9:10)"}));
        EXPECT_TRUE(entries(dialog, "DstList").isEmpty());
        EXPECT_EQ(text(dialog, "RunningLabel"), "  0:00");
        EXPECT_EQ(text(dialog, "TrksLabel"), "0");
        EXPECT_TRUE(enabled(dialog, "IncludeBtn") && enabled(dialog, "IncAllBtn"));
        EXPECT_FALSE(enabled(dialog, "ExcludeBtn") || enabled(dialog, "ExAllBtn"));

        select(dialog, "SrcList", {0, 1, 2});
        press(dialog, "IncludeBtn");
        EXPECT_EQ(entries(dialog, "DstList"), (QStringList{"  1-Dawn (25:00)", "  2-Noon (26:18)", "  3-Night Road (10:43)"}));
        EXPECT_EQ(text(dialog, "RunningLabel"), " 62:05");
        EXPECT_EQ(text(dialog, "TrksLabel"), "3");
        EXPECT_EQ(dialog.findChild<QListWidget*>("SrcList")->selectedItems().size(), 1);
        EXPECT_TRUE(enabled(dialog, "ExcludeBtn"));

        press(dialog, "IncludeBtn");  // Low Tide, selected after the move
        EXPECT_TRUE(entries(dialog, "SrcList").isEmpty());
        EXPECT_FALSE(enabled(dialog, "IncludeBtn") || enabled(dialog, "IncAllBtn"));
        EXPECT_EQ(text(dialog, "RunningLabel"), " 71:17");

        select(dialog, "DstList", {0});
        press(dialog, "ExcludeBtn");
        EXPECT_EQ(entries(dialog, "SrcList"), QStringList{"  1-Dawn (25:00)"});
        EXPECT_EQ(text(dialog, "TrksLabel"), "3");
        press(dialog, "OKBtn");
    });
    EXPECT_TRUE(cdGrid()->isVisible());
    EXPECT_EQ(albumMarks(), (std::vector<std::string>{"  2", "  3", "  4"}));
    // The tracks grid draws the marked tracks yellow.
    EXPECT_NE(tracks()->data(tracks()->index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    EXPECT_EQ(tracks()->data(tracks()->index(1, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
}

TEST_F(MarkingDialog, ReopeningShowsTwoCharacterMinutesAndExcludingAllRemovesTheMarks)
{
    mark([&](QDialog& dialog) {
        press(dialog, "IncAllBtn");
        press(dialog, "OKBtn");
    });
    const std::vector<std::string> before = test_support::playlistRows(dir.path());
    mark([&](QDialog& dialog) {
        EXPECT_EQ(entries(dialog, "DstList").back(), "  4-Low Tide ( 9:10)");
        EXPECT_EQ(text(dialog, "RunningLabel"), " 71:17");
        EXPECT_EQ(text(dialog, "TrksLabel"), "4");
        press(dialog, "ExAllBtn");
        EXPECT_TRUE(entries(dialog, "DstList").isEmpty());
        EXPECT_EQ(text(dialog, "RunningLabel"), "  0:00");
        EXPECT_EQ(text(dialog, "TrksLabel"), "0");
        EXPECT_FALSE(enabled(dialog, "ExcludeBtn"));
        EXPECT_TRUE(enabled(dialog, "IncludeBtn"));
        press(dialog, "OKBtn");
    });
    EXPECT_TRUE(albumMarks().empty());
    std::vector<std::string> others(before.begin(), before.end() - 4);
    EXPECT_EQ(test_support::playlistRows(dir.path()), others) << "other albums keep their marks";
    EXPECT_EQ(catalogue->playlist()->table().recordCount(), others.size()) << "packed";
}

TEST_F(MarkingDialog, CancelWritesNothingAndHelpOpensThePlaylistPage)
{
    const std::string file = dir.file("PLAYLIST.DBF");
    const std::string before = test_support::readFile(file);
    mark([&](QDialog& dialog) {
        press(dialog, "IncAllBtn");
        press(dialog, "HelpBtn");
        press(dialog, "CancelBtn");
    });
    EXPECT_EQ(test_support::readFile(file), before);
    EXPECT_EQ(pages, std::vector<std::string>{"CDhelp2.html#playlist"});
}

TEST_F(MarkingDialog, AFailedSaveIsToldAndKeepsTheDialogOpen)
{
    mark([&](QDialog& dialog) {
        const auto held = xbase::Table::open(catalogue->playlist().path(), xbase::OpenMode::Shared);
        press(dialog, "IncAllBtn");
        press(dialog, "OKBtn");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error).size(), 1u);
        press(dialog, "CancelBtn");
    });
    EXPECT_TRUE(albumMarks().empty());
}

TEST_F(MarkingDialog, NoLastTrackLengthHidesTheRunningTime)
{
    ASSERT_TRUE(form->goToAlbum("z0000001"));
    mark([&](QDialog& dialog) {
        EXPECT_EQ(entries(dialog, "SrcList"), QStringList{"  1-"});
        EXPECT_TRUE(dialog.findChild<QWidget*>("RunningLabel")->isHidden());
        EXPECT_TRUE(dialog.findChild<QWidget*>("Label1")->isHidden());
        press(dialog, "CancelBtn");
    });
}

}  // namespace
