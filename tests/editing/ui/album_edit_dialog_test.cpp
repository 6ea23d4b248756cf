// The album edit dialog driven through its controls: new albums by hand,
// Modify, multi-artist albums, the genre, the time cells, what keeps the
// dialog open, the toolbox rules and what showing it fills in.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "album_edit_dialog_fixture.h"
#include "editing/album_form_loader.h"
#include "editing/edit_form_texts.h"
#include "editing/ui/track_grid.h"

namespace {

using editing::ui::AlbumEditDialog;
using lookup::EditMode;
using test_support::ScriptedPrompter;

class AlbumEditDialogTest : public test_support::AlbumEditDialogFixture {
protected:
    void fillRequired(const QString& artist = "Someone")
    {
        type("ArtistEdit", artist);
        type("AlbumEdit", "Some Album");
        type("GenreBox", "misc");
    }
    QString hint(const char* name) { return child<QWidget>(name)->toolTip(); }
    bool enabled(const char* name) { return child<QWidget>(name)->isEnabled(); }
    QString titleHeader()
    {
        return child<editing::ui::TrackGrid>("TrackGrid")
            ->horizontalHeaderItem(editing::ui::TrackGrid::kTitleColumn)
            ->text();
    }
};

TEST_F(AlbumEditDialogTest, NewAlbumsByHandGetTheNextManualIdsAndTheirTimesInSeconds)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther,
                 {{"01", " 4:05", "Track 01"}, {"02", "12:30", "Track 02"}, {"03", "", "Track 03"}});
    EXPECT_EQ(dialog->windowTitle(), "Vinora - Edit Form [New Album (not in CD-ROM drive)]");
    fillRequired();
    QTest::keyClick(child<QLineEdit>("AlbumEdit"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "Enter in a field does not press OK";
    click("OKButton");
    EXPECT_TRUE(dialog->editSaved());
    EXPECT_FALSE(dialog->isVisible());
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
    click("OKButton");
    ASSERT_TRUE(dialog->editSaved());
    const auto second = rowsOf("ALBUMS.DBF", "z0000002");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].at("ARTIST"), "Someone Else");
    EXPECT_EQ(catalogue->albums()->fieldTrimmed("ID"), "z0000002") << "the saved album is current";
}

TEST_F(AlbumEditDialogTest, ModifyChangesOnlyTitlesAndKeepsNumbersAndLengths)
{
    openCatalogue(true);
    catalogue->albums()->setOrder("ID");
    ASSERT_TRUE(catalogue->albums()->seek("7a0b3c0d"));
    const auto before = rowsOf("TRACKS.DBF", "7a0b3c0d");
    QString caption;
    QString running;
    QTimer::singleShot(0, dialog.get(), [&] {
        caption = dialog->windowTitle();
        running = child<QLineEdit>("RunningTime")->text();
        typeTitle(0, "Speak To Me (Remastered)");
        typeTitle(9, "  Eclipse (Live)  ");
        click("OKButton");
        if (dialog->isVisible()) {
            ADD_FAILURE() << "OK left the dialog open: "
                          << (prompter.requests().empty() ? std::string() : prompter.requests().back().text);
            dialog->reject();
        }
    });
    EXPECT_TRUE(dialog->modifyCurrentAlbum());
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

TEST_F(AlbumEditDialogTest, MultiArtistAlbumWritesOneArtistRowPerArtistTitle)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", "", "x"}, {"02", "", "x"}, {"03", "", "x"}});
    fillRequired("Various Artists");
    typeTitle(0, "Madonna / Holiday");
    typeTitle(1, QString::fromUtf8("Bj\xc3\xb6rk/Army of Me"));
    typeTitle(2, "Interlude");
    click("OKButton");
    ASSERT_TRUE(dialog->editSaved());
    EXPECT_TRUE(prompter.requests().empty()) << "the first title has the standard form";
    const auto artists = rowsOf("ARTISTS.DBF", "z0000001");
    ASSERT_EQ(artists.size(), 2u);
    EXPECT_EQ(artists[0].at("NR"), "  1");
    EXPECT_EQ(artists[0].at("ARTIST"), "Madonna");
    EXPECT_EQ(artists[1].at("NR"), "  2");
    EXPECT_EQ(artists[1].at("ARTIST"), "Bj\xf6rk");
}

TEST_F(AlbumEditDialogTest, MultiArtistTitlesWithoutTheStandardFormAskFirst)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", "", "Holiday - Madonna"}});
    fillRequired("various");
    prompter.answerConfirm(false);
    click("OKButton");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Confirm),
              std::vector<std::string>{std::string(editing::kFormatQuestion)});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(child<QLineEdit>("ArtistEdit")->text(), "various");
    EXPECT_TRUE(rowsOf("ALBUMS.DBF", "z").empty());

    prompter.answerConfirm(true);
    click("OKButton");
    EXPECT_TRUE(dialog->editSaved());
    EXPECT_TRUE(rowsOf("ARTISTS.DBF", "z0000001").empty()) << "no title names its artist";
}

TEST_F(AlbumEditDialogTest, GenreTypedWithBlanksIsStoredLowerCaseJoinsTheListAndBecomesTheDefault)
{
    openCatalogue(false);
    state.genres = {"blues", "jazz"};
    openNewAlbum(EditMode::AddOther);
    fillRequired();
    type("GenreBox", " Rock ");
    click("OKButton");
    ASSERT_TRUE(dialog->editSaved());
    EXPECT_EQ(rowsOf("ALBUMS.DBF", "z0000001")[0].at("GENRE"), "rock");
    EXPECT_EQ(state.genres, (std::vector<std::string>{"blues", "jazz", "rock"}));
    EXPECT_EQ(state.settings.genre, "rock");
    EXPECT_NE(settingsText().find("\r\nGenre=rock\r\n"), std::string::npos);

    openNewAlbum(EditMode::AddOther);
    auto* genre = child<QComboBox>("GenreBox");
    EXPECT_EQ(genre->currentText(), "rock") << "the default for the next new album";
    ASSERT_EQ(genre->count(), 3);
    EXPECT_EQ(genre->itemText(2), "rock");
}

TEST_F(AlbumEditDialogTest, MissingEntriesAndTakenIdsKeepTheFormOpenWithNothingWritten)
{
    openCatalogue(true);
    const std::uint32_t albums = catalogue->albums()->count();
    openNewAlbum(EditMode::AddOther);
    fillRequired();
    type("GenreBox", "   ");
    click("OKButton");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>{std::string(editing::kRequiredText)});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(child<QLineEdit>("AlbumEdit")->text(), "Some Album");

    state.lookup.currentAlbumId = "7a0b3c0d";
    openNewAlbum(EditMode::AddFromDrive);
    fillRequired();
    click("OKButton");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error).back(),
              "An album with the ID 7a0b3c0d is already in your Collection.\rNothing was saved.");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->editSaved());
    EXPECT_EQ(catalogue->albums()->count(), albums);
}

TEST_F(AlbumEditDialogTest, CancelWritesNothing)
{
    openCatalogue(true);
    const std::uint32_t albums = catalogue->albums()->count();
    openNewAlbum(EditMode::AddOther, {{"01", " 1:00", "One"}});
    fillRequired();
    click("CancelButton");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->editSaved());
    EXPECT_EQ(catalogue->albums()->count(), albums);
    EXPECT_TRUE(rowsOf("ALBUMS.DBF", "z0000005").empty());
}

TEST_F(AlbumEditDialogTest, TextOutsideWindows1252IsSavedAsQuestionMarksAfterSayingSo)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", "", "x"}});
    fillRequired();
    type("AlbumEdit", QString::fromUtf8("\xc5\x81\xc3\xb3"
                                        "d\xc5\xba"));  // two letters beyond the code page
    click("OKButton");
    ASSERT_TRUE(dialog->editSaved());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info).size(), 1u);
    EXPECT_EQ(rowsOf("ALBUMS.DBF", "z0000001")[0].at("ALBUM"),
              "?\xf3"
              "d?");
}

// Tab moves from title to title: the number and time cells are fixed.
TEST_F(AlbumEditDialogTest, TabStepsThroughTitlesOnly)
{
    openCatalogue(false);
    openNewAlbum(EditMode::AddOther, {{"01", " 1:00", "One"}, {"02", " 2:00", "Two"}});
    auto* grid = child<editing::ui::TrackGrid>("TrackGrid");
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

TEST_F(AlbumEditDialogTest, ToolsAreDisabledUntilRegisteredThenFollowTheirRules)
{
    openCatalogue(false);
    openNewAlbum(EditMode::Modify);
    for (const char* name : {"NotesButton", "CoverArtButton", "MaskMakerButton", "UpdateTracksButton", "FlipButton"}) {
        EXPECT_FALSE(enabled(name)) << name;
        EXPECT_TRUE(hint(name).endsWith(" - Not available yet")) << name;
    }
    dialog->hide();

    int flips = 0;
    for (auto tool : {AlbumEditDialog::Tool::Flip, AlbumEditDialog::Tool::MaskMaker,
                      AlbumEditDialog::Tool::UpdateTracks, AlbumEditDialog::Tool::Notes})
        dialog->setTool(tool, [&flips] { ++flips; });
    openNewAlbum(EditMode::AddOther, {{"01", "", "a"}});
    EXPECT_TRUE(enabled("NotesButton"));
    EXPECT_EQ(hint("NotesButton"), "Add Cover Graphic, Extended Data, etc.");
    EXPECT_FALSE(enabled("FlipButton"));
    EXPECT_FALSE(enabled("UpdateTracksButton")) << "only in Modify";
    EXPECT_FALSE(enabled("MaskMakerButton"));
    EXPECT_EQ(hint("MediaLabelHeading"), "Enter label on backup media");
    // Each tool held back says why after its usual hint.
    const QString flipHeldBack = hint("FlipButton");
    const QString maskHeldBack = hint("MaskMakerButton");
    const QString updateHeldBack = hint("UpdateTracksButton");

    auto* grid = child<QTableWidget>("TrackGrid");
    const int gridWidth = grid->width();
    type("ArtistEdit", "Various Artists");
    QTest::keyClick(child<QLineEdit>("ArtistEdit"), Qt::Key_Return);  // done with the artist
    QApplication::processEvents();
    EXPECT_EQ(grid->width(), gridWidth) << "the flip tip shows beside the grid without narrowing it";
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << "titles fill the grid, nothing to scroll to";
    EXPECT_TRUE(enabled("FlipButton"));
    EXPECT_TRUE(flipHeldBack.startsWith(hint("FlipButton") + " - "));
    EXPECT_TRUE(child<QPlainTextEdit>("FlipTip")->isVisible());
    EXPECT_EQ(titleHeader(), "  ArtistName / TrackTitle");
    click("FlipButton");
    EXPECT_EQ(flips, 1);

    type("MediaBox", "LD (local drive)");
    EXPECT_TRUE(enabled("MaskMakerButton"));
    EXPECT_TRUE(maskHeldBack.startsWith(hint("MaskMakerButton") + " - "));
    EXPECT_EQ(hint("MediaLabelHeading"), "Use \"Make Mask\" button to create Mask, or enter manually");

    type("ArtistEdit", "The Various");
    QTest::keyClick(child<QLineEdit>("ArtistEdit"), Qt::Key_Return);
    EXPECT_FALSE(enabled("FlipButton"));
    EXPECT_EQ(titleHeader(), "  Track Title");
    dialog->hide();

    editing::AlbumFormData modify = dialog->contents();
    modify.mode = EditMode::Modify;
    dialog->load(modify);
    dialog->show();
    EXPECT_TRUE(enabled("UpdateTracksButton"));
    EXPECT_TRUE(updateHeldBack.startsWith(hint("UpdateTracksButton") + " - "));
}

TEST_F(AlbumEditDialogTest, ShowingFillsTimeNotesRevisionAndLengthsAndTheGridOnlyWithTracks)
{
    openCatalogue(false);
    editing::AlbumFormData data;
    editing::resetForNewEntry(data, EditMode::AddFromDrive, "");
    data.notes = "COVER=/covers/a.jpg\r\nsecond\r\nthird";
    data.revision = "\x85";
    dialog->load(data);
    state.lookup.runningSeconds = 600;
    dialog->show();
    EXPECT_EQ(dialog->windowTitle(), "Vinora - Edit Form [Add New CD from CD-ROM drive]");
    EXPECT_TRUE(child<QLineEdit>("RunningTime")->isVisible());
    EXPECT_EQ(child<QLineEdit>("RunningTime")->text(), " 10:00");
    EXPECT_EQ(child<QAbstractButton>("NotesLineCount")->text(), "3");
    EXPECT_EQ(child<QLineEdit>("NotesFirstLine")->text(), "COVER=/covers/a.jpg");
    EXPECT_EQ(dialog->contents().revision, "~");
    EXPECT_EQ(dialog->contents().notes, data.notes);
    EXPECT_FALSE(child<QWidget>("TrackGrid")->isVisible()) << "no track rows";
    EXPECT_EQ(child<QLineEdit>("ArtistEdit")->maxLength(), 50);
    EXPECT_EQ(child<QLineEdit>("MediaLabelEdit")->maxLength(), 55);
    EXPECT_EQ(child<QLineEdit>("MediaIndexEdit")->maxLength(), 6);
    click("CancelButton");
    EXPECT_EQ(state.lookup.runningSeconds, 0);

    data.tracks = {{"  1", " 1:00", "One"}};
    dialog->load(data);
    dialog->show();
    EXPECT_TRUE(child<QWidget>("TrackGrid")->isVisible());
    EXPECT_FALSE(child<QLineEdit>("RunningTime")->isVisible());
}

}  // namespace
