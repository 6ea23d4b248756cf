// The disc in the drive against the catalogue: the find button and the
// identifier start-up asks for, over a copy of the small reference
// collection and disc images read through libcdio.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "lookup/cd_finder.h"
#include "platform/cdio/libcdio_access.h"
#include "support/disc_image.h"
#include "support/fixture_files.h"
#include "support/flaky_cd_access.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using lookup::CdFinder;

// A 13-track TOC whose identifier is 7a0b3c0d, the Pink Floyd album of the
// collection (record 1; record 16 has the same ID but is deleted).
const std::vector<long> kCataloguedDisc{150,   15917,  31203,  48060,  68936,  82540, 97502,
                                        115833, 134320, 150905, 165119, 180701, 196058};
constexpr long kCataloguedLeadOut = 215890;

class CdFinderTest : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.createMissingFilesAndOpenViews();
        catalogued = test_support::writeCueImage(images.path(), "catalogued",
                                                 test_support::audioTracks(kCataloguedDisc), kCataloguedLeadOut);
        unknown = test_support::writeCueImage(images.path(), "unknown",
                                              test_support::audioTracks(test_support::kFourTrackOffsets),
                                              test_support::kFourTrackLeadOut);
    }

    CdFinder finder(const std::string& cdPath)
    {
        drive.setDriveSettings(cdPath, 0);
        return CdFinder(drive, state, catalogue, [this](const std::string& m) { errors.push_back(m); });
    }

    std::string currentId() { return catalogue.albums()->fieldTrimmed("ID"); }

    test_support::TempDir dir;
    test_support::TempDir images;
    catalogue::Catalogue catalogue{dir.path()};
    platform::LibcdioAccess cdio;
    test_support::FlakyCdAccess access{cdio};
    common::LookupState state;
    std::vector<std::string> errors;
    lookup::CdDrive drive{access, state, [this](const std::string& m) { errors.push_back(m); }, [](int) {}};
    std::string catalogued;
    std::string unknown;
};

TEST_F(CdFinderTest, CataloguedDiscBecomesCurrentAndTheOrderStays)
{
    ASSERT_EQ(catalogue.albums().order(), "ARTIST");
    EXPECT_TRUE(finder(catalogued).findCdInCollection(true));
    EXPECT_EQ(state.currentAlbumId, "7a0b3c0d");
    EXPECT_EQ(currentId(), "7a0b3c0d");
    EXPECT_EQ(catalogue.albums()->recno(), 1u);
    EXPECT_EQ(catalogue.albums().order(), "ARTIST");
    // The album's tracks follow it.
    EXPECT_EQ(catalogue.currentAlbumTracks()->count(), 10u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(CdFinderTest, OrderOtherThanArtistIsKeptToo)
{
    catalogue.albums().setOrder("Genre");
    EXPECT_TRUE(finder(catalogued).findCdInCollection(false));
    EXPECT_EQ(catalogue.albums().order(), "GENRE");
    EXPECT_EQ(currentId(), "7a0b3c0d");
}

TEST_F(CdFinderTest, UnknownDiscIsReportedWhateverShowMessagesSays)
{
    catalogue.albums()->goToRecord(8);
    for (bool show : {true, false}) {
        errors.clear();
        EXPECT_FALSE(finder(unknown).findCdInCollection(show));
        EXPECT_EQ(errors, std::vector<std::string>{"Could not find this CD in your Collection"});
        EXPECT_EQ(state.currentAlbumId, "1b038204");
        EXPECT_EQ(catalogue.albums()->recno(), 8u);
    }
}

TEST_F(CdFinderTest, NoAudioCdIsReportedOnlyWhenAsked)
{
    EXPECT_FALSE(finder("").findCdInCollection(false));
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(finder(images.file("none.cue")).findCdInCollection(true));
    EXPECT_EQ(errors, std::vector<std::string>{"There does NOT seem to be an audio CD in the drive"});
}

TEST_F(CdFinderTest, FailedTocReadFindsNoAlbumEvenThoughAnEmptyKeyWouldMatch)
{
    access.failTocReads = 1000;
    EXPECT_FALSE(finder(catalogued).findCdInCollection(true));
    EXPECT_EQ(state.currentAlbumId, "");
    EXPECT_EQ(errors, std::vector<std::string>{"Could not find this CD in your Collection"});
}

TEST_F(CdFinderTest, LostDriveDoesNotFindThePreviousDiscsAlbum)
{
    ASSERT_TRUE(finder(catalogued).findCdInCollection(true));
    catalogue.albums()->goToRecord(8);
    access.forcedAudioCd = 1;
    access.failDriveLists = 1000;
    EXPECT_FALSE(finder(catalogued).findCdInCollection(true));
    EXPECT_EQ(errors, (std::vector<std::string>{"Can NOT find a CD-ROM drive",
                                                "Could not find this CD in your Collection"}));
    EXPECT_EQ(catalogue.albums()->recno(), 8u);
}

TEST_F(CdFinderTest, AudioDiscIdentifierForStartUp)
{
    drive.setDriveSettings(catalogued, 0);
    EXPECT_EQ(drive.audioDiscId(), "7a0b3c0d");
    drive.setDriveSettings("", 0);
    EXPECT_EQ(drive.audioDiscId(), std::nullopt);
    drive.setDriveSettings(catalogued, 0);
    access.failTocReads = 1000;
    EXPECT_EQ(drive.audioDiscId(), std::nullopt);
    EXPECT_TRUE(errors.empty());
}

}  // namespace
