// The start-up sequence over the real drive code: disc images read through
// libcdio stand in for the drive.
#include <gtest/gtest.h>

#include "app/startup_sequence.h"
#include "lookup/cd_drive_adapter.h"
#include "platform/cdio/libcdio_access.h"
#include "settings/settings_file.h"
#include "support/disc_image.h"
#include "support/fixture_files.h"
#include "support/flaky_cd_access.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using test_support::ScriptedPrompter;

// The TOC of the collection's Pink Floyd album (ID 7a0b3c0d).
const std::vector<long> kCataloguedDisc{150,   15917,  31203,  48060,  68936,  82540, 97502,
                                        115833, 134320, 150905, 165119, 180701, 196058};
constexpr long kCataloguedLeadOut = 215890;

class QuietWindow : public app::StartupTarget {
public:
    void showStatus(const std::string&) override {}
    void runLongStep(const std::function<void()>& step) override { step(); }
    void setCaption(const std::string&) override {}
    void setMaximized(bool) override {}
    void applyHints(bool) override {}
    void catalogueOpened(bool) override {}
    void disableAddCd() override {}
    void showTipOfTheDay() override {}
    void finishStartup() override {}
};

class DriveAtStartup : public testing::Test {
protected:
    DriveAtStartup()
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        state.programDir = dir.path() + "/";
        catalogued = test_support::writeCueImage(images.path(), "catalogued",
                                                 test_support::audioTracks(kCataloguedDisc), kCataloguedLeadOut);
    }
    // Start-up with CDPath naming `cdPath`; the current album's ID after it.
    std::string startWith(const std::string& cdPath)
    {
        settings::SettingsFile({state.programDir, [&] { return cdPath; }}).createIfMissing();
        app::StartupSequence sequence(state, catalogue, window, prompter);
        sequence.setDiscInDrive(&adapter);
        sequence.run();
        return catalogue.albums()->fieldTrimmed("ID");
    }

    test_support::TempDir dir;
    test_support::TempDir images;
    std::string catalogued;
    common::ProgramState state;
    catalogue::Catalogue catalogue{dir.path()};
    QuietWindow window;
    ScriptedPrompter prompter;
    platform::LibcdioAccess cdio;
    test_support::FlakyCdAccess access{cdio};
    lookup::CdDrive drive{access, state.lookup, [this](const std::string& m) { prompter.error(m); }, [](int) {}};
    lookup::CdDriveAdapter adapter{drive, state};
};

TEST_F(DriveAtStartup, CataloguedImageMakesItsAlbumCurrent)
{
    EXPECT_EQ(startWith(catalogued), "7a0b3c0d");
    EXPECT_EQ(catalogue.albums().order(), "ARTIST");
    EXPECT_EQ(state.lookup.currentAlbumId, "7a0b3c0d");
    EXPECT_EQ(state.lookup.currentToc.trackCount, 13);
    EXPECT_TRUE(prompter.requests().empty());
}

TEST_F(DriveAtStartup, TocImageOpensAsTheDriveToo)
{
    const std::string toc = test_support::writeTocImage(images.path(), "catalogued", kCataloguedDisc, kCataloguedLeadOut);
    EXPECT_EQ(startWith(toc), "7a0b3c0d");
}

TEST_F(DriveAtStartup, MissingImageIsNoDisc)
{
    EXPECT_EQ(startWith(images.file("gone.cue")), "z0000001");
    EXPECT_EQ(state.lookup.currentAlbumId, "");
    EXPECT_TRUE(prompter.requests().empty());
}

TEST_F(DriveAtStartup, AudioDiscWhoseTocCannotBeReadGoesToTheFirstAlbum)
{
    access.forcedAudioCd = 1;
    access.failTocReads = 1000;
    EXPECT_EQ(adapter.audioDiscId(catalogued), "");
    EXPECT_EQ(startWith(catalogued), "z0000001");
    EXPECT_TRUE(prompter.requests().empty());
}

TEST_F(DriveAtStartup, LostDriveListDoesNotHandBackThePreviousDisc)
{
    ASSERT_EQ(adapter.audioDiscId(catalogued), "7a0b3c0d");
    access.forcedAudioCd = 1;
    access.failDriveLists = 1000;
    EXPECT_EQ(adapter.audioDiscId(catalogued), "");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error), std::vector<std::string>{"Can NOT find a CD-ROM drive"});
}

TEST_F(DriveAtStartup, DriveNrOfTheSettingsPicksTheDrive)
{
    state.settings.driveNr = 1;
    // An image is the only drive: slot 1 names none.
    EXPECT_EQ(adapter.audioDiscId(catalogued), "");
    state.settings.driveNr = 0;
    EXPECT_EQ(adapter.audioDiscId(catalogued), "7a0b3c0d");
}

}  // namespace
