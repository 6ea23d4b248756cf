// The album edit form driven through its controls: new albums by hand,
// Modify, multi-artist albums, the genre, the time cells, and what keeps
// the form open.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "edit_form_fixture.h"
#include "editing/edit_form_texts.h"
#include "editing/ui/track_grid.h"

namespace {

using lookup::EditMode;
using test_support::ScriptedPrompter;

class EditForm : public test_support::EditFormFixture {
protected:
    void fillRequired(const QString& artist = "Someone")
    {
        type("EditArtist", artist);
        type("EditTitle", "Some Album");
        type("EditGenre", "misc");
    }
};

TEST_F(EditForm, NewAlbumsByHandGetTheNextManualIdsAndTheirTimesInSeconds)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther,
                 {{"01", " 4:05", "Track 01"}, {"02", "12:30", "Track 02"}, {"03", "", "Track 03"}});
    EXPECT_EQ(form->windowTitle(), "Vinora - Edit Form [New Album (not in CD-ROM drive)]");
    fillRequired();
    click("BitBtn1");
    EXPECT_TRUE(form->editSaved());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(prompter.requests().empty());
    ASSERT_EQ(rowsOf("ALBUMS.DBF", "z0000001").size(), 1u);
    const auto tracks = rowsOf("TRACKS.DBF", "z0000001");
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0].at("SECS"), "245");
    EXPECT_EQ(tracks[1].at("SECS"), "750");
    EXPECT_EQ(tracks[2].at("SECS"), "0");
    EXPECT_EQ(tracks[2].at("NR"), "  3");

    openNewAlbum(EditMode::AddOther);
    fillRequired("Someone Else");
    click("BitBtn1");
    ASSERT_TRUE(form->editSaved());
    const auto second = rowsOf("ALBUMS.DBF", "z0000002");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].at("ARTIST"), "Someone Else");
    EXPECT_EQ(catalogue->albums()->fieldTrimmed("ID"), "z0000002") << "the saved album is current";
}

TEST_F(EditForm, ModifyChangesOnlyTitlesAndKeepsNumbersAndLengths)
{
    openCatalogue(true);
    catalogue->albums()->setOrder("ID");
    ASSERT_TRUE(catalogue->albums()->seek("7a0b3c0d"));
    const auto before = rowsOf("TRACKS.DBF", "7a0b3c0d");
    QString caption;
    QString running;
    QTimer::singleShot(0, form.get(), [&] {
        caption = form->windowTitle();
        running = child<QLineEdit>("RunningLabel")->text();
        typeTitle(0, "Speak To Me (Remastered)");
        typeTitle(9, "  Eclipse (Live)  ");
        click("BitBtn1");
        if (form->isVisible()) {
            ADD_FAILURE() << "OK left the form open: "
                          << (prompter.requests().empty() ? std::string() : prompter.requests().back().text);
            form->reject();
        }
    });
    EXPECT_TRUE(form->modifyCurrentAlbum());
    EXPECT_EQ(caption, "Vinora - Edit Form [Modify Album]");
    EXPECT_EQ(running, " 42:48") << "2550 s of tracks and nine 2 s gaps";
    EXPECT_EQ(state.lookup.runningSeconds, 0) << "reset by the close step";
    EXPECT_EQ(state.lookup.currentAlbumId, "7a0b3c0d");

    const auto after = rowsOf("TRACKS.DBF", "7a0b3c0d");
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].at("#"), before[i].at("#"));
        EXPECT_EQ(after[i].at("NR"), before[i].at("NR"));
        EXPECT_EQ(after[i].at("SECS"), before[i].at("SECS"));
    }
    EXPECT_EQ(after[0].at("TRACK"), "Speak To Me (Remastered)");
    // Track 10 is record 43: titles follow number order, not record order.
    EXPECT_EQ(after[9].at("#"), "43");
    EXPECT_EQ(after[9].at("TRACK"), "Eclipse (Live)");
    EXPECT_EQ(after[5].at("TRACK"), before[5].at("TRACK"));
    EXPECT_EQ(catalogue->allTracks()->fieldTrimmed("ID"), "7a0b3c0d") << "the close step moves allTracks to the album";
    EXPECT_EQ(catalogue->currentAlbumTracks()->field("NR"), "  1");
}

TEST_F(EditForm, MultiArtistAlbumWritesOneArtistRowPerArtistTitle)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", "", "x"}, {"02", "", "x"}, {"03", "", "x"}});
    fillRequired("Various Artists");
    typeTitle(0, "Madonna / Holiday");
    typeTitle(1, QString::fromUtf8("Bj\xc3\xb6rk/Army of Me"));
    typeTitle(2, "Interlude");
    click("BitBtn1");
    ASSERT_TRUE(form->editSaved());
    EXPECT_TRUE(prompter.requests().empty()) << "the first title has the standard form";
    const auto artists = rowsOf("ARTISTS.DBF", "z0000001");
    ASSERT_EQ(artists.size(), 2u);
    EXPECT_EQ(artists[0].at("NR"), "  1");
    EXPECT_EQ(artists[0].at("ARTIST"), "Madonna");
    EXPECT_EQ(artists[1].at("NR"), "  2");
    EXPECT_EQ(artists[1].at("ARTIST"), "Bj\xf6rk");
}

TEST_F(EditForm, MultiArtistTitlesWithoutTheStandardFormAskFirst)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", "", "Holiday - Madonna"}});
    fillRequired("various");
    prompter.answerConfirm(false);
    click("BitBtn1");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Confirm),
              std::vector<std::string>{std::string(editing::kFormatQuestion)});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(child<QLineEdit>("EditArtist")->text(), "various");
    EXPECT_TRUE(rowsOf("ALBUMS.DBF", "z").empty());

    prompter.answerConfirm(true);
    click("BitBtn1");
    EXPECT_TRUE(form->editSaved());
    EXPECT_TRUE(rowsOf("ARTISTS.DBF", "z0000001").empty()) << "no title names its artist";
}

TEST_F(EditForm, GenreTypedWithBlanksIsStoredLowerCaseJoinsTheListAndBecomesTheDefault)
{
    openCatalogue(false);
    state.genres = {"blues", "jazz"};
    openNewAlbum(EditMode::AddOther);
    fillRequired();
    type("EditGenre", " Rock ");
    click("BitBtn1");
    ASSERT_TRUE(form->editSaved());
    EXPECT_EQ(rowsOf("ALBUMS.DBF", "z0000001")[0].at("GENRE"), "rock");
    EXPECT_EQ(state.genres, (std::vector<std::string>{"blues", "jazz", "rock"}));
    EXPECT_EQ(state.settings.genre, "rock");
    EXPECT_NE(settingsText().find("\r\nGenre=rock\r\n"), std::string::npos);

    openNewAlbum(EditMode::AddOther);
    auto* genre = child<QComboBox>("EditGenre");
    EXPECT_EQ(genre->currentText(), "rock") << "the default for the next new album";
    ASSERT_EQ(genre->count(), 3);
    EXPECT_EQ(genre->itemText(2), "rock");
}

TEST_F(EditForm, MissingEntriesAndTakenIdsKeepTheFormOpenWithNothingWritten)
{
    openCatalogue(true);
    const std::uint32_t albums = catalogue->albums()->count();
    openNewAlbum(EditMode::AddOther);
    fillRequired();
    type("EditGenre", "   ");
    click("BitBtn1");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>{std::string(editing::kRequiredText)});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(child<QLineEdit>("EditTitle")->text(), "Some Album");

    state.lookup.currentAlbumId = "7a0b3c0d";
    openNewAlbum(EditMode::AddFromDrive);
    fillRequired();
    click("BitBtn1");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error).back(),
              "An album with the ID 7a0b3c0d is already in your Collection.\rNothing was saved.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->editSaved());
    EXPECT_EQ(catalogue->albums()->count(), albums);
}

TEST_F(EditForm, CancelWritesNothing)
{
    openCatalogue(true);
    const std::uint32_t albums = catalogue->albums()->count();
    openNewAlbum(EditMode::AddOther, {{"01", " 1:00", "One"}});
    fillRequired();
    click("BitBtn2");
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->editSaved());
    EXPECT_EQ(catalogue->albums()->count(), albums);
    EXPECT_TRUE(rowsOf("ALBUMS.DBF", "z0000005").empty());
}

TEST_F(EditForm, TextOutsideWindows1252IsSavedAsQuestionMarksAfterSayingSo)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", "", "x"}});
    fillRequired();
    type("EditTitle", QString::fromUtf8("\xc5\x81\xc3\xb3"
                                        "d\xc5\xba"));  // two letters beyond the code page
    click("BitBtn1");
    ASSERT_TRUE(form->editSaved());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info).size(), 1u);
    EXPECT_EQ(rowsOf("ALBUMS.DBF", "z0000001")[0].at("ALBUM"),
              "?\xf3"
              "d?");
}

// Tab moves from title to title: the number and time cells are fixed.
TEST_F(EditForm, TabStepsThroughTitlesOnly)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", " 1:00", "One"}, {"02", " 2:00", "Two"}});
    auto* grid = child<editing::ui::TrackGrid>("StringGrid1");
    for (int c : {editing::ui::TrackGrid::kNumberColumn, editing::ui::TrackGrid::kTimeColumn})
        EXPECT_FALSE(grid->item(0, c)->flags() & Qt::ItemIsEditable);
    grid->setFocus();
    grid->setCurrentCell(0, editing::ui::TrackGrid::kTitleColumn);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), editing::ui::TrackGrid::kTitleColumn);
    QTest::keyClick(grid, Qt::Key_Backtab);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), editing::ui::TrackGrid::kTitleColumn);
}

}  // namespace
