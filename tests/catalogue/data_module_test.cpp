// The data module's views over the small reference collection: orders,
// master/detail, lookups, re-linking, and the next manual identifier.
#include <gtest/gtest.h>

#include "catalogue/data_module.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

using catalogue::TDM;

std::string padded(std::string s, std::size_t width)
{
    s.resize(width, ' ');
    return s;
}

class DataModule : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        dm.createMissingFilesAndOpenViews();
    }

    test_support::TempDir dir;
    TDM dm{dir.path()};
};

TEST_F(DataModule, StartUpLeavesEveryViewOpenInItsOrder)
{
    EXPECT_EQ(dm.tblAlbums().order(), "ARTIST");
    EXPECT_EQ(dm.tblTracks().order(), "TRACKS");
    EXPECT_EQ(dm.tblPlayList().order(), "PLAYLIST");
    EXPECT_EQ(dm.tblArtists().order(), "ID");
    EXPECT_EQ(dm.tblCD().order(), "TRACKS");
    EXPECT_EQ(dm.tblFilter().order(), "ID");
    EXPECT_FALSE(dm.tblTView().isOpen());
    EXPECT_EQ(dm.tblAlbums()->count(), 14u);
    // Blank artist and album sort first.
    EXPECT_EQ(dm.tblAlbums()->fieldTrimmed("ID"), "z0000001");
    EXPECT_EQ(dm.tblPlayList()->count(), 7u);
}

TEST_F(DataModule, TracksFollowTheCurrentAlbumInNumberOrder)
{
    auto& albums = dm.tblAlbums().cursor();
    ASSERT_TRUE(albums.goToRecord(1));  // Pink Floyd, 7a0b3c0d
    auto& tracks = dm.tblTracks().cursor();
    EXPECT_EQ(tracks.count(), 10u);
    std::vector<std::string> numbers;
    for (bool ok = tracks.first(); ok; ok = tracks.next())
        numbers.push_back(tracks.field("NR"));
    EXPECT_EQ(numbers.front(), "  1");
    EXPECT_EQ(numbers[8], "  9");
    EXPECT_EQ(numbers.back(), " 10");
    ASSERT_TRUE(albums.goToRecord(2));  // Homogenic
    EXPECT_EQ(tracks.fieldTrimmed("Track"), "Hunter");
    EXPECT_GT(dm.tblCD()->count(), tracks.count()) << "tblCD is not tied to the album";
}

TEST_F(DataModule, LookupsReadTheAlbumThroughTblFilter)
{
    auto& artists = dm.tblArtists().cursor();
    ASSERT_TRUE(artists.seekValues({"c30d2e11", "  1"}));
    EXPECT_EQ(artists.fieldTrimmed("Artist"), "Madonna");
    EXPECT_EQ(artists.field("Album"), padded("Now That's What I Call Music", 50));
    EXPECT_EQ(artists.field("Label"), padded("CDR 010", 55));

    auto& cd = dm.tblCD().cursor();
    ASSERT_TRUE(cd.seek("12345678"));
    EXPECT_EQ(cd.field("album"), "The Exactly Fifty Character Album Title ");
    EXPECT_EQ(cd.field("Artist"), "An Artist Name That Fills All Fifty Byte");
    // The album lookups do not move the main grid.
    EXPECT_EQ(dm.tblAlbums()->fieldTrimmed("ID"), "z0000001");
}

TEST_F(DataModule, ReopeningTheSourceRelinksLookupsAndDetails)
{
    ASSERT_TRUE(dm.tblArtists()->seekValues({"c30d2e11", "  2"}));
    dm.tblFilter().close();
    EXPECT_THROW(dm.tblArtists()->field("Album"), xbase::XbaseError);
    EXPECT_EQ(dm.tblArtists()->fieldTrimmed("Artist"), "Prince") << "the row stays current";
    dm.tblFilter().open();
    EXPECT_EQ(dm.tblFilter().order(), "ID") << "the order outlives the close";
    EXPECT_EQ(dm.tblArtists()->fieldTrimmed("Album"), "Now That's What I Call Music");

    dm.tblAlbums().close();
    dm.tblAlbums().setExclusive(true);
    EXPECT_THROW(dm.tblAlbums().open(), xbase::XbaseError) << "tblFilter still has ALBUMS open";
    dm.tblAlbums().setExclusive(false);
    dm.tblAlbums().open();
    ASSERT_TRUE(dm.tblAlbums()->goToRecord(1));
    EXPECT_EQ(dm.tblTracks()->count(), 10u);
}

TEST_F(DataModule, ViewSettingsWaitForTheFileToClose)
{
    EXPECT_THROW(dm.tblFilter().setFileName("temp.dbf"), xbase::XbaseError);
    EXPECT_THROW(dm.tblFilter().setExclusive(true), xbase::XbaseError);
    dm.tblFilter().setFilter("Genre=\"rock\"");
    dm.tblFilter().setFiltered(true);
    EXPECT_EQ(dm.tblFilter()->count(), 4u);
    dm.tblFilter().close();
    dm.tblFilter().open();
    EXPECT_EQ(dm.tblFilter()->count(), 4u) << "the filter outlives the close";
    dm.tblFilter().setFilter("");
    EXPECT_EQ(dm.tblFilter()->count(), 14u);
    EXPECT_EQ(dm.tblFilter()->filterText(), "");
}

TEST_F(DataModule, NextManualIdFollowsTheHighestWithoutMovingTheGrid)
{
    ASSERT_TRUE(dm.tblAlbums()->goToRecord(9));
    dm.tblFilter().setOrder("Album");
    // A filter hiding the highest identifier must not make it come twice.
    dm.tblFilter().setFilter("ID<>\"z0000004\"");
    dm.tblFilter().setFiltered(true);
    EXPECT_EQ(dm.nextManualAlbumId(), "z0000005");
    EXPECT_EQ(dm.tblAlbums()->recno(), 9u);
    EXPECT_EQ(dm.tblAlbums().order(), "ARTIST");

    auto& albums = dm.tblAlbums().cursor();
    albums.append();
    albums.setField("ID", "z0000041");
    albums.post();
    EXPECT_EQ(dm.nextManualAlbumId(), "z0000042");

    albums.edit();
    albums.setField("ID", "z9999999");
    albums.post();
    try {
        dm.nextManualAlbumId();
        FAIL() << "an identifier past z9999999 was made";
    } catch (const xbase::XbaseError& e) {
        EXPECT_STREQ(e.what(), "No more manual album identifiers: z9999999 is the last one");
    }
}

TEST(DataModuleEmpty, NextManualIdInAnEmptyOrDiscOnlyCollection)
{
    test_support::TempDir dir;
    TDM dm(dir.path());
    dm.createMissingFilesAndOpenViews();
    EXPECT_EQ(dm.nextManualAlbumId(), "z0000001");
    auto& albums = dm.tblAlbums().cursor();
    for (const char* id : {"0a1b2c3d", "ffffffff"}) {
        albums.append();
        albums.setField("ID", id);
        albums.post();
    }
    EXPECT_EQ(dm.nextManualAlbumId(), "z0000001");
}

}  // namespace
