// The CD drive in the main window, offscreen, with disc images made here as
// the drive: the disc's album current after start-up and through the find
// button and its popup entry, and the messages when it cannot be.
#include <QAction>
#include <QLabel>

#include "lookup/cd_drive_commands.h"
#include "main_window_fixture.h"
#include "platform/cdio/libcdio_access.h"
#include "settings/ini_file.h"
#include "support/disc_image.h"

namespace {

using test_support::ScriptedPrompter;

// The TOC of the collection's Pink Floyd album (ID 7a0b3c0d).
const std::vector<long> kCataloguedDisc{150,   15917,  31203,  48060,  68936,  82540, 97502,
                                        115833, 134320, 150905, 165119, 180701, 196058};
constexpr long kCataloguedLeadOut = 215890;
constexpr int kPinkFloydRow = 8;
constexpr int kBeatlesRow = 10;

class CdDriveInWindow : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        catalogued = test_support::writeCueImage(images.path(), "catalogued",
                                                 test_support::audioTracks(kCataloguedDisc), kCataloguedLeadOut);
        unknown = test_support::writeCueImage(images.path(), "unknown",
                                              test_support::audioTracks({150, 23280, 40500, 56324}), 67510);
    }
    void TearDown() override { commands.reset(); }

    // Starts the program with CDPath naming `cdPath`.
    void startWith(const std::string& cdPath)
    {
        settings::IniFile ini = settings::IniFile::load(dir.file("Vinora.ini"));
        ini.writeString("Current", "CDPath", cdPath);
        ini.save(dir.file("Vinora.ini"));
        create();
        commands = std::make_unique<lookup::CdDriveCommands>(cdio, state, prompter, *catalogue, [](int) {});
        mainWindow->useCdDrive(*commands);
        ASSERT_NO_FATAL_FAILURE(start());
    }
    int currentRow() const { return albumsGrid()->currentIndex().row(); }
    std::vector<std::string> errors() const { return prompter.texts(ScriptedPrompter::Kind::Error); }

    test_support::TempDir images;
    std::string catalogued;
    std::string unknown;
    platform::LibcdioAccess cdio;
    std::unique_ptr<lookup::CdDriveCommands> commands;
};

TEST_F(CdDriveInWindow, CataloguedDiscIsTheHighlightedAlbumAfterStartUp)
{
    ASSERT_NO_FATAL_FAILURE(startWith(catalogued));
    EXPECT_EQ(currentRow(), kPinkFloydRow);
    EXPECT_EQ(currentArtist(), "Pink Floyd");
    EXPECT_EQ(tracks()->rowCount(), 10) << "its tracks below it";
    EXPECT_EQ(child<QLabel>("YearText")->text(), "1973");
    EXPECT_EQ(state.lookup.currentAlbumId, "7a0b3c0d");
    EXPECT_TRUE(errors().empty());
    EXPECT_TRUE(child<QWidget>("FindCdButton")->isEnabled());
}

TEST_F(CdDriveInWindow, UnknownDiscAtStartUpLeavesTheFirstAlbumWithoutAMessage)
{
    ASSERT_NO_FATAL_FAILURE(startWith(unknown));
    EXPECT_EQ(currentRow(), 0);
    EXPECT_TRUE(prompter.requests().empty());
}

TEST_F(CdDriveInWindow, FindButtonAndPopupEntryMakeTheDiscsAlbumCurrent)
{
    ASSERT_NO_FATAL_FAILURE(startWith(""));
    ASSERT_EQ(currentRow(), 0);
    clickRow(albumsGrid(), kBeatlesRow);
    // The options window changes the setting for the running program.
    state.settings.cdPath = catalogued;
    clickButton("FindCdButton");
    EXPECT_EQ(currentRow(), kPinkFloydRow);
    EXPECT_EQ(currentArtist(), "Pink Floyd");
    EXPECT_EQ(tracks()->rowCount(), 10);

    clickRow(albumsGrid(), kBeatlesRow);
    child<QAction>("FindCdItem")->trigger();
    EXPECT_EQ(currentRow(), kPinkFloydRow);
    EXPECT_TRUE(errors().empty());
}

TEST_F(CdDriveInWindow, DiscNotInTheCollectionIsReportedAndTheAlbumStays)
{
    ASSERT_NO_FATAL_FAILURE(startWith(unknown));
    clickRow(albumsGrid(), kBeatlesRow);
    clickButton("FindCdButton");
    EXPECT_EQ(errors(), std::vector<std::string>{"Could not find this CD in your Collection"});
    EXPECT_EQ(currentRow(), kBeatlesRow);
    EXPECT_EQ(state.lookup.currentAlbumId, "1b038204");
}

TEST_F(CdDriveInWindow, NoDiscInTheDriveIsReported)
{
    ASSERT_NO_FATAL_FAILURE(startWith(images.file("none.cue")));
    clickButton("FindCdButton");
    EXPECT_EQ(errors(), std::vector<std::string>{"There does NOT seem to be an audio CD in the drive"});
    EXPECT_EQ(currentRow(), 0);
}

}  // namespace
