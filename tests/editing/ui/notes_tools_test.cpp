// The edit form's notes tools driven through their windows: the notes
// editor with the track chooser, OK and Cancel, and Get Cover Image.
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>

#include "album_edit_dialog_fixture.h"
#include "editing/ui/notes_tools.h"
#include "platform/desktop/qt_desktop_launcher.h"
#include "support/modal_dialog.h"

namespace {

using lookup::EditMode;
using test_support::ScriptedPrompter;
using test_support::whenModalShown;

// The desktop with nothing associated: addresses are recorded, none opens.
class NoBrowser : public platform::QtDesktopLauncher {
public:
    bool openAddress(const QString& address) override
    {
        opened.push_back(address.toStdString());
        return false;
    }
    std::vector<std::string> opened;
};

class NotesToolsTest : public test_support::AlbumEditDialogFixture {
protected:
    void SetUp() override
    {
        openCatalogue(false);
        tools = std::make_unique<editing::ui::NotesTools>(*dialog, state, prompter, desktop,
                                                          [this](std::string_view page) { pages.emplace_back(page); });
    }
    void openWithNotes(const std::string& notes, const std::vector<lookup::TrackRow>& tracks)
    {
        openNewAlbum(EditMode::AddOther, tracks);
        editing::AlbumFormData data = dialog->contents();
        data.notes = notes;
        dialog->load(data);
    }
    static void press(QWidget* window, const char* name)
    {
        auto* button = window->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    NoBrowser desktop;
    std::vector<std::string> pages;
    std::unique_ptr<editing::ui::NotesTools> tools;
};

TEST_F(NotesToolsTest, ExtendedDataForTheChosenTrackReachesTheFormOnOk)
{
    openWithNotes("Bought 1999\r\nEXTD=x", {{"  1", "", "One"}, {"  2", "", "Two"}, {"  3", "", "Three"}});
    whenModalShown([this](QWidget* notes) {
        EXPECT_EQ(notes->findChild<QPlainTextEdit*>("NotesEdit")->toPlainText(), "Bought 1999\nEXTD=x");
        whenModalShown([this](QWidget* chooser) {
            auto* list = chooser->findChild<QListWidget*>("TrackList");
            EXPECT_EQ(list->currentItem()->text(), "  1-One");
            list->setCurrentRow(2);
            press(chooser, "HelpButton");
            press(chooser, "OKButton");
        });
        prompter.answerText("Guest: Someone");
        press(notes, "TrackExtensionButton");
        press(notes, "OKButton");
    });
    click("NotesButton");
    EXPECT_EQ(dialog->contents().notes, "Bought 1999\r\nEXTD=x\r\nEXTT2=Guest: Someone");
    EXPECT_EQ(child<QToolButton>("NotesLineCount")->text(), "3");
    EXPECT_EQ(child<QLineEdit>("NotesFirstLine")->text(), "Bought 1999");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::AskText),
              std::vector<std::string>{"Extended Data For Track   3"});
    EXPECT_EQ(pages, std::vector<std::string>{"CDhelp2.html#notes"});
}

TEST_F(NotesToolsTest, CancelLeavesTheNotesAsTheyWereAndNoTracksMeansNoChooser)
{
    openWithNotes("Keep me", {});
    whenModalShown([this](QWidget* notes) {
        press(notes, "TrackExtensionButton");
        prompter.answerText("http://example.org/album");
        press(notes, "WebsiteButton");
        EXPECT_EQ(notes->findChild<QPlainTextEdit*>("NotesEdit")->toPlainText(),
                  "Keep me\nURL=http://example.org/album");
        press(notes, "CancelButton");
    });
    click("NotesLineCount");
    EXPECT_EQ(dialog->contents().notes, "Keep me");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>{"No tracks entered for this Album"});
}

TEST_F(NotesToolsTest, GetCoverImageShowsTheTipAndTellsWhenThePageDoesNotOpen)
{
    openWithNotes("", {});
    EXPECT_FALSE(child<QWidget>("CoverTip")->isVisible());
    click("CoverArtButton");
    EXPECT_TRUE(child<QWidget>("CoverTip")->isVisible());
    EXPECT_EQ(desktop.opened, std::vector<std::string>{state.settings.coversUrl});
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>{"The page could not be opened:\r" + state.settings.coversUrl});
}

TEST_F(NotesToolsTest, GetCoverImageFetchesTheCoverOfTheReleaseTheNotesName)
{
    tools = std::make_unique<editing::ui::NotesTools>(
        *dialog, state, prompter, desktop, [](std::string_view) {},
        [](std::string& notes, const std::string& album) {
            if (notes.find("URL=") == std::string::npos)
                return false;
            notes += "\r\nCOVER=/covers/" + album + ".jpg";
            return true;
        });
    openWithNotes("URL=http://mb.example/release/x", {});
    click("CoverArtButton");
    EXPECT_EQ(dialog->contents().notes, "URL=http://mb.example/release/x\r\nCOVER=/covers/.jpg");
    EXPECT_TRUE(desktop.opened.empty()) << "no page opened";
    EXPECT_FALSE(child<QWidget>("CoverTip")->isVisible()) << "nothing to add by hand";

    openWithNotes("Bought 1999", {});
    click("CoverArtButton");
    EXPECT_EQ(desktop.opened, std::vector<std::string>{state.settings.coversUrl});
}

}  // namespace
