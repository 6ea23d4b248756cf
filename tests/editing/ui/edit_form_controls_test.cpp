// The edit form's controls: names, captions and hints, the toolbox and its
// enabling rules, and what activation shows.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "edit_form_fixture.h"
#include "editing/album_form_loader.h"
#include "editing/ui/track_grid.h"

namespace {

using lookup::EditMode;

class EditFormControls : public test_support::EditFormFixture {
protected:
    void SetUp() override { openCatalogue(false); }

    QString hint(const char* name) { return child<QWidget>(name)->toolTip(); }
    QString header(int column)
    {
        return child<editing::ui::TrackGrid>("StringGrid1")->horizontalHeaderItem(column)->text();
    }
};

TEST_F(EditFormControls, CarryTheirNamesCaptionsAndHints)
{
    EXPECT_EQ(form->objectName(), "MngRecF");
    EXPECT_EQ(form->windowTitle(), "New Entry");
    EXPECT_EQ(hint("EditArtist"), "enter Various for multi-artist albums");
    EXPECT_EQ(hint("EditTitle"), "enter Album title");
    EXPECT_EQ(hint("EditGenre"), "Choose from drop-down list below");
    EXPECT_EQ(hint("EditYear"), "Year published");
    EXPECT_EQ(child<QLineEdit>("EditYear")->maxLength(), 4);
    EXPECT_TRUE(child<QLineEdit>("EditNotes")->isReadOnly());
    EXPECT_EQ(child<QLabel>("Label11")->text(), "Notes & Extended Data");
    EXPECT_EQ(child<QLabel>("LinesLabel")->text(), "Lines");
    EXPECT_EQ(child<QLabel>("Label6")->text(), "Media Label or Directory & File Name Mask for copied tracks");
    EXPECT_EQ(hint("EditMedia"),
              "Select Media from the drop-down list below for other than CD or for copied/ripped tracks");
    EXPECT_EQ(child<QComboBox>("EditGenre")->maxVisibleItems(), 20);
    EXPECT_EQ(child<QComboBox>("EditMedia")->maxVisibleItems(), 15);
    EXPECT_EQ(hint("EditIndex"), "Track or Time on Media");
    EXPECT_EQ(child<QGroupBox>("GroupBox1")->title(),
              "Complete these OPTIONAL entries to keep track of where you copied/ripped tracks from this album");
    EXPECT_EQ(child<QGroupBox>("GroupBox2")->title(), "         Toolbox          ");
    EXPECT_EQ(child<QPushButton>("BitBtn1")->text(), "OK");
    EXPECT_EQ(child<QPushButton>("HelpBtn")->text(), "Help");
    EXPECT_EQ(child<QLabel>("Label9")->text(), "Playlist managed via Playlist button on Albums View");
    EXPECT_TRUE(child<QPlainTextEdit>("Memo1")->isHidden());
    EXPECT_TRUE(child<QLabel>("RevLabel")->isHidden());
    EXPECT_TRUE(child<QWidget>("Memo2")->isHidden());
    EXPECT_TRUE(child<QPlainTextEdit>("CoverMemo")->isHidden());
    EXPECT_EQ(child<QPlainTextEdit>("FlipMemo")->toPlainText(),
              "Above Flp button normalzies\nArtistName / TrackTitle on\nmulti-artist albums to enable\n"
              " \"One-Stop\" artist search.");
    EXPECT_EQ(header(0), " #");
    EXPECT_EQ(header(1), "Time");
    auto* grid = child<editing::ui::TrackGrid>("StringGrid1");
    EXPECT_EQ(grid->columnWidth(1), 44);
    EXPECT_EQ(grid->columnWidth(2), 600);
}

TEST_F(EditFormControls, ToolsNotBuiltYetAreDisabledAndSaySo)
{
    openNewAlbum(EditMode::Modify);
    for (const char* name : {"NotesButton", "GetArt", "MaskButton", "TrkOnlyButton", "FlipButton"}) {
        EXPECT_FALSE(child<QPushButton>(name)->isEnabled()) << name;
        EXPECT_TRUE(hint(name).endsWith(" - Not available yet")) << name;
    }
    EXPECT_EQ(hint("NotesButton"), "Add Cover Graphic, Extended Data, etc. - Not available yet");
    EXPECT_TRUE(child<QPlainTextEdit>("FlipMemo")->isHidden());
}

TEST_F(EditFormControls, RegisteredToolsFollowTheirRules)
{
    int flips = 0;
    for (auto tool : {editing::ui::TMngRecF::Tool::Flip, editing::ui::TMngRecF::Tool::MaskMaker,
                      editing::ui::TMngRecF::Tool::UpdateTracks, editing::ui::TMngRecF::Tool::Notes})
        form->setTool(tool, [&flips] { ++flips; });
    openNewAlbum(EditMode::AddOther, {{"01", "", "a"}});
    EXPECT_TRUE(child<QPushButton>("NotesButton")->isEnabled());
    EXPECT_EQ(hint("NotesButton"), "Add Cover Graphic, Extended Data, etc.");
    EXPECT_FALSE(child<QPushButton>("FlipButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("TrkOnlyButton")->isEnabled()) << "only in Modify";
    EXPECT_FALSE(child<QPushButton>("MaskButton")->isEnabled());
    EXPECT_EQ(hint("Label6"), "Enter label on backup media");

    type("EditArtist", "Various Artists");
    QTest::keyClick(child<QLineEdit>("EditArtist"), Qt::Key_Return);  // done with the artist
    EXPECT_TRUE(child<QPushButton>("FlipButton")->isEnabled());
    EXPECT_TRUE(child<QPlainTextEdit>("FlipMemo")->isVisible());
    EXPECT_EQ(header(2), "  ArtistName / TrackTitle");
    child<QPushButton>("FlipButton")->click();
    EXPECT_EQ(flips, 1);

    type("EditMedia", "LD (local drive)");
    EXPECT_TRUE(child<QPushButton>("MaskButton")->isEnabled());
    EXPECT_EQ(hint("Label6"), "Use \"Make Mask\" button to create Mask, or enter manually");

    type("EditArtist", "The Various");
    QTest::keyClick(child<QLineEdit>("EditArtist"), Qt::Key_Return);
    EXPECT_FALSE(child<QPushButton>("FlipButton")->isEnabled());
    EXPECT_EQ(header(2), "  Track Title");
    form->hide();

    editing::AlbumFormData modify = form->contents();
    modify.mode = EditMode::Modify;
    form->load(modify);
    form->show();
    EXPECT_TRUE(child<QPushButton>("TrkOnlyButton")->isEnabled());
}

TEST_F(EditFormControls, ActivationShowsTimeNotesRevisionAndTheGridOnlyWithTracks)
{
    editing::AlbumFormData data;
    editing::resetForNewEntry(data, EditMode::AddFromDrive, "");
    data.notes = "COVER=/covers/a.jpg\r\nsecond\r\nthird";
    data.revision = "\x85";
    form->load(data);
    state.lookup.runningSeconds = 600;
    form->show();
    EXPECT_EQ(form->windowTitle(), "Vinora - Edit Form [Add New CD from CD-ROM drive]");
    EXPECT_TRUE(child<QLineEdit>("RunningLabel")->isVisible());
    EXPECT_EQ(child<QLineEdit>("RunningLabel")->text(), " 10:00");
    EXPECT_EQ(child<QToolButton>("SpeedButton1")->text(), "3");
    EXPECT_EQ(child<QLineEdit>("EditNotes")->text(), "COVER=/covers/a.jpg");
    EXPECT_EQ(child<QLabel>("RevLabel")->text(), "~");
    EXPECT_FALSE(child<QWidget>("StringGrid1")->isVisible()) << "no track rows";
    EXPECT_EQ(child<QLineEdit>("EditArtist")->maxLength(), 50);
    EXPECT_EQ(child<QLineEdit>("EditLabel")->maxLength(), 55);
    EXPECT_EQ(child<QLineEdit>("EditIndex")->maxLength(), 6);
    click("BitBtn2");
    EXPECT_EQ(state.lookup.runningSeconds, 0);

    data.tracks = {{"  1", " 1:00", "One"}};
    form->load(data);
    form->show();
    EXPECT_TRUE(child<QWidget>("StringGrid1")->isVisible());
    EXPECT_FALSE(child<QLineEdit>("RunningLabel")->isVisible());
}

}  // namespace
