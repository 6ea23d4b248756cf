// The title tools through the edit form's toolbox: what they put into the
// form, the folder they remember, and the window they open.
#include "editing/ui/title_tools.h"

#include <QLineEdit>

#include "album_edit_dialog_fixture.h"

namespace {

using lookup::EditMode;
using test_support::ScriptedPrompter;

class TitleToolsTest : public test_support::AlbumEditDialogFixture {
protected:
    void SetUp() override
    {
        openCatalogue(false);
        new editing::ui::TitleTools(*dialog, state, prompter);
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (const lookup::TrackRow& row : dialog->contents().tracks)
            out.push_back(row.title);
        return out;
    }
    QString text(const char* name) const { return child<QLineEdit>(name)->text(); }
};

TEST_F(TitleToolsTest, FlipWorksOnlyForAVariousArtistsAlbumAndTwiceGivesTheTitlesBack)
{
    const std::vector<std::string> before{"Singer / Song", "Other Singer / Tune"};
    openNewAlbum(EditMode::AddOther, {{"  1", " 3:00", before[0]}, {"  2", " 4:00", before[1]}});
    click("FlipButton");
    EXPECT_EQ(titles(), before);

    type("ArtistEdit", "Various");
    emit child<QLineEdit>("ArtistEdit")->editingFinished();
    click("FlipButton");
    EXPECT_EQ(titles(), (std::vector<std::string>{"Song / Singer", "Tune / Other Singer"}));
    click("FlipButton");
    EXPECT_EQ(titles(), before);
}

TEST_F(TitleToolsTest, MaskMakerFillsTheLabelOrTheFirstNotesLineAndClipsDirIsWrittenAtClose)
{
    openNewAlbum(EditMode::AddOther);
    type("MediaBox", "LD (local drive)");
    const std::string music = dir.path() + "/Music/";
    prompter.answerFiles({music + "Track01.mp3", music + "Track02.MP3", music + "track10.mp3"});
    click("MaskMakerButton");
    EXPECT_EQ(text("MediaLabelEdit").toStdString(), music + "track*.mp3");

    const std::string deep = dir.path() + "/A Folder Deep Enough/For The Mask To Pass The Label/";
    prompter.answerFiles({deep + "Intro.ogg"});
    click("MaskMakerButton");
    EXPECT_EQ(text("NotesFirstLine").toStdString(), deep + "Intro.ogg");
    EXPECT_EQ(text("MediaLabelEdit").toStdString(), music + "track*.mp3");

    prompter.answerFiles({});
    click("MaskMakerButton");
    EXPECT_EQ(text("MediaLabelEdit").toStdString(), music + "track*.mp3");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::ChooseFiles).size(), 3u);

    EXPECT_EQ(settingsText().find(deep), std::string::npos);
    dialog->reject();
    EXPECT_NE(settingsText().find("\r\nClipsDir=" + deep + "\r\n"), std::string::npos) << settingsText();
    EXPECT_EQ(state.settings.clipsDir, deep);
}

TEST_F(TitleToolsTest, UpdateTracksOpensTheWebImportOnlyWhenModifying)
{
    openNewAlbum(EditMode::AddOther, {{"  1", " 3:00", "Song"}});
    click("UpdateTracksButton");
    EXPECT_TRUE(prompter.windowsShown().empty());

    editing::AlbumFormData data = dialog->contents();
    data.mode = EditMode::Modify;
    dialog->load(data);
    prompter.answerWindow(true);
    click("UpdateTracksButton");
    EXPECT_EQ(prompter.windowsShown(), std::vector<common::Prompter::Window>{common::Prompter::Window::WebImport});
}

}  // namespace
