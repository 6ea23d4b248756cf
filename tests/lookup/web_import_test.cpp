// The web import's rules over an edit form held in memory: which reader
// the site chosen sets, what the form holds and whether it shows.
#include "lookup/web_import.h"

#include <gtest/gtest.h>

#include "lookup/pasted_entry_import.h"
#include "lookup/track_list_readers.h"
#include "support/album_form_in_memory.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using lookup::AlbumEntry;
using lookup::EditMode;
using lookup::WebImport;
using Outcome = WebImport::Outcome;
using Kind = test_support::ScriptedPrompter::Kind;

std::vector<std::string> titles(const AlbumEntry& entry)
{
    std::vector<std::string> out;
    for (const lookup::TrackRow& row : entry.tracks)
        out.push_back(row.number + "|" + row.length + "|" + row.title);
    return out;
}

class WebImportTest : public testing::Test {
protected:
    WebImportTest()
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.createMissingFilesAndOpenViews();
        form.entry_ = {"Old Artist", "Old Album", "rock", "", "3", {}, {}};
    }

    WebImport open(EditMode mode)
    {
        form.mode_ = mode;
        return WebImport(form, prompter, catalogue, state);
    }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    common::ProgramState state;
    test_support::ScriptedPrompter prompter;
    test_support::AlbumFormInMemory form;
};

TEST_F(WebImportTest, ACopyOfFewerThanTwoLinesKeepsTheWindowOpen)
{
    WebImport import = open(EditMode::AddOther);
    for (const char* text : {"", "one line only\r\n"})
        EXPECT_EQ(import.takePastedText(text), Outcome::KeepOpen) << text;
    EXPECT_EQ(prompter.texts(Kind::Error), (std::vector<std::string>(2, lookup::kClipboardMessage)));
    EXPECT_TRUE(form.shownWithArtistSelected.empty());
    EXPECT_EQ(form.entry_.artist, "Old Artist");
}

TEST_F(WebImportTest, TheSiteChosenSetsTheAddressTheSourceAndTheReader)
{
    struct Case {
        const char* site;
        std::string address;
        char source;
        std::string text;
        std::vector<std::string> rows;
        bool artistSelected;  // for typing over: the lists give no artist, the page does
    };
    const Case cases[] = {
        {"none", "", 'O', "First\r\n\r\n  Second  \r\n", {"01||First", "02||Second"}, true},
        {"AMG", state.settings.amgUrl, 'G', "1. First Song 3:45\n2. Second Song performed by A/B 10:02\n",
         {"01| 3:45|First Song", "02|10:02|A,B / Second Song"}, true},
        {"Amazon", state.settings.amazonUrl, 'A', "1. Long title that\ncontinues here\n2. Next",
         {"01||Long title that continues here", "02||Next"}, true},
        {"UPC", state.settings.upcUrl + "012345678905", 'C',
         "Artist: Various Artists\nThe Album - CD\nTrack Listings:\n3. Song - Singer\nAdditional Notes\n9. Not this",
         {"01||Singer / Song"}, false},
    };
    for (const Case& c : cases) {
        form.entry_.tracks = {{"  1", " 1:00", "Old"}, {"  2", " 2:00", "Old"}, {"  3", " 3:00", "Old"}};
        form.shownWithArtistSelected.clear();
        WebImport import = open(EditMode::AddOther);
        EXPECT_EQ(form.source_, 'O');
        const std::string site = c.site;
        std::string address;
        if (site == "AMG")
            address = import.chooseSite(WebImport::Site::AllMusicGuide);
        else if (site == "Amazon")
            address = import.chooseSite(WebImport::Site::Amazon);
        else if (site == "UPC")
            address = import.chooseBarCodeSearch("0 12345 67890 5");
        EXPECT_EQ(address, c.address) << site;
        EXPECT_EQ(form.source_, c.source) << site;
        EXPECT_EQ(import.takePastedText(c.text), Outcome::Accepted) << site;
        EXPECT_EQ(titles(form.entry_), c.rows) << site;
        EXPECT_EQ(form.entry_.artist, "Various") << site;
        EXPECT_EQ(form.entry_.revision, "0") << site;
        EXPECT_EQ(form.shownWithArtistSelected, std::vector<bool>{c.artistSelected}) << site;
    }
    EXPECT_TRUE(prompter.requests().empty());
    EXPECT_EQ(form.entry_.album, "The Album");
}

TEST_F(WebImportTest, ADiscInTheDriveKeepsItsRowsAndItsLengths)
{
    form.entry_.tracks = {{"  1", " 1:00", "Track 1"}, {"  2", " 2:00", "Track 2"}, {"  3", " 3:00", "Track 3"}};
    WebImport import = open(EditMode::AddFromDrive);
    EXPECT_EQ(import.caption(), "Vinora - Add New Album to your Collection using website [3 tracks]");
    EXPECT_FALSE(import.offersOnlineDatabase());
    form.saves = false;
    EXPECT_EQ(import.takePastedText("Real One\nReal Two\n"), Outcome::Closed);
    EXPECT_EQ(titles(form.entry_), (std::vector<std::string>{"  1| 1:00|Real One", "  2| 2:00|Real Two",
                                                             "  3| 3:00|Track 3"}));
    EXPECT_EQ(form.entry_.album, "");
    EXPECT_EQ(form.mode_, EditMode::AddFromDrive);
}

TEST_F(WebImportTest, APastedEntryAlreadyCataloguedEndsTheImportWithoutTheForm)
{
    const std::string entry = "# xmcd\n#\n# Track frame offsets:\n#       150\n#       23280\n#\n"
                              "# Disc length: 900 seconds\n#\n# Revision: 5\n#\nDISCID=%s\n"
                              "DTITLE=Some Artist / Some Album\nTTITLE0=One\nTTITLE1=Two\n";
    for (const auto& [id, catalogued] : {std::pair{"7a0b3c0d", true}, std::pair{"1b038204", false}}) {
        form.shownWithArtistSelected.clear();
        WebImport import = open(EditMode::AddOther);
        EXPECT_EQ(import.chooseSite(WebImport::Site::OnlineDatabase), state.settings.freedbUrl);
        std::string text = entry;
        text.replace(text.find("%s"), 2, id);
        EXPECT_EQ(import.takePastedText(text), catalogued ? Outcome::Closed : Outcome::Accepted) << id;
        EXPECT_EQ(form.shownWithArtistSelected.size(), catalogued ? 0u : 1u) << id;
        EXPECT_EQ(state.lookup.currentAlbumId, id);
    }
    EXPECT_EQ(prompter.texts(Kind::Error), std::vector<std::string>{lookup::kAlreadyCataloguedMessage});
    // A new disc's entry is stored under its identifier.
    EXPECT_EQ(form.mode_, EditMode::AddFromDrive);
    EXPECT_EQ(form.entry_.artist, "Some Artist");
}

TEST_F(WebImportTest, ManualEntryAndARetailerPageWithoutTracksAskHowManyTracks)
{
    WebImport manual = open(EditMode::AddOther);
    prompter.answerText("3");
    EXPECT_EQ(manual.enterManually(), Outcome::Accepted);
    EXPECT_EQ(form.source_, 'M');
    EXPECT_EQ(titles(form.entry_), (std::vector<std::string>{"01||Track 01", "02||Track 02", "03||Track 03"}));
    EXPECT_EQ(form.entry_.artist, "Various");
    EXPECT_EQ(form.entry_.album, "");
    EXPECT_EQ(form.shownWithArtistSelected, std::vector<bool>{true});
    EXPECT_FALSE(form.artistSelected_);  // not at the next showing

    WebImport retailer = open(EditMode::AddOther);
    retailer.chooseBarCodeSearch("123");
    prompter.answerText("2");
    EXPECT_EQ(retailer.takePastedText("Artist: Someone\nNo tracks here\n"), Outcome::Accepted);
    EXPECT_EQ(titles(form.entry_), (std::vector<std::string>{"01||Track 01", "02||Track 02"}));
    EXPECT_EQ(prompter.texts(Kind::Info), std::vector<std::string>{lookup::kNoTrackDataMessage});
    EXPECT_EQ(prompter.unusedAnswers(), 0u);
}

TEST_F(WebImportTest, UpdatingTitlesChangesOnlyTheRowsAndLeavesTheOpenFormAlone)
{
    form.entry_.tracks = {{"  1", " 1:00", "Old One"}, {"  2", " 2:00", "Old Two"}};
    WebImport import = open(EditMode::Modify);
    EXPECT_EQ(import.caption(), "Update Tracks using website: 2 tracks");
    EXPECT_FALSE(import.offersManualEntry());
    EXPECT_EQ(import.takePastedText("One\nTwo\nThree\n"), Outcome::Accepted);
    EXPECT_EQ(prompter.texts(Kind::Error),
              std::vector<std::string>{lookup::kLineCountMismatchMessage + "2"});
    EXPECT_EQ(import.takePastedText("New One\nNew Two\n"), Outcome::Accepted);
    EXPECT_EQ(titles(form.entry_), (std::vector<std::string>{"  1| 1:00|New One", "  2| 2:00|New Two"}));
    EXPECT_EQ(form.entry_.artist, "Old Artist");
    EXPECT_EQ(form.entry_.revision, "3");
    EXPECT_TRUE(form.shownWithArtistSelected.empty());
}

}  // namespace
