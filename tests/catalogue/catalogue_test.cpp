// The catalogue's views over the small reference collection: orders,
// master/detail, lookups, re-linking, and the next manual identifier.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

using catalogue::Catalogue;

std::string padded(std::string s, std::size_t width)
{
    s.resize(width, ' ');
    return s;
}

class CatalogueViews : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.createMissingFilesAndOpenViews();
    }

    test_support::TempDir dir;
    Catalogue catalogue{dir.path()};
};

TEST_F(CatalogueViews, StartUpLeavesEveryViewOpenInItsOrder)
{
    EXPECT_EQ(catalogue.albums().order(), "ARTIST");
    EXPECT_EQ(catalogue.currentAlbumTracks().order(), "TRACKS");
    EXPECT_EQ(catalogue.playlist().order(), "PLAYLIST");
    EXPECT_EQ(catalogue.artists().order(), "ID");
    EXPECT_EQ(catalogue.allTracks().order(), "TRACKS");
    EXPECT_EQ(catalogue.albumLookup().order(), "ID");
    EXPECT_FALSE(catalogue.tracksView().isOpen());
    EXPECT_EQ(catalogue.albums()->count(), 14u);
    // Blank artist and album sort first.
    EXPECT_EQ(catalogue.albums()->fieldTrimmed("ID"), "z0000001");
    EXPECT_EQ(catalogue.playlist()->count(), 7u);
}

TEST_F(CatalogueViews, TracksFollowTheCurrentAlbumInNumberOrder)
{
    auto& albums = catalogue.albums().cursor();
    ASSERT_TRUE(albums.goToRecord(1));  // Pink Floyd, 7a0b3c0d
    auto& tracks = catalogue.currentAlbumTracks().cursor();
    EXPECT_EQ(tracks.count(), 10u);
    std::vector<std::string> numbers;
    for (bool ok = tracks.first(); ok; ok = tracks.next())
        numbers.push_back(tracks.field("NR"));
    EXPECT_EQ(numbers.front(), "  1");
    EXPECT_EQ(numbers[8], "  9");
    EXPECT_EQ(numbers.back(), " 10");
    ASSERT_TRUE(albums.goToRecord(2));  // Homogenic
    EXPECT_EQ(tracks.fieldTrimmed("Track"), "Hunter");
    EXPECT_GT(catalogue.allTracks()->count(), tracks.count()) << "allTracks is not tied to the album";
}

TEST_F(CatalogueViews, LookupsReadTheAlbumThroughAlbumLookup)
{
    auto& artists = catalogue.artists().cursor();
    ASSERT_TRUE(artists.seekValues({"c30d2e11", "  1"}));
    EXPECT_EQ(artists.fieldTrimmed("Artist"), "Madonna");
    EXPECT_EQ(artists.field("Album"), padded("Now That's What I Call Music", 50));
    EXPECT_EQ(artists.field("Label"), padded("CDR 010", 55));

    auto& cd = catalogue.allTracks().cursor();
    ASSERT_TRUE(cd.seek("12345678"));
    EXPECT_EQ(cd.field("album"), "The Exactly Fifty Character Album Title ");
    EXPECT_EQ(cd.field("Artist"), "An Artist Name That Fills All Fifty Byte");
    // The album lookups do not move the main grid.
    EXPECT_EQ(catalogue.albums()->fieldTrimmed("ID"), "z0000001");
}

TEST_F(CatalogueViews, ReopeningTheSourceRelinksLookupsAndDetails)
{
    ASSERT_TRUE(catalogue.artists()->seekValues({"c30d2e11", "  2"}));
    catalogue.albumLookup().close();
    EXPECT_THROW(catalogue.artists()->field("Album"), xbase::XbaseError);
    EXPECT_EQ(catalogue.artists()->fieldTrimmed("Artist"), "Prince") << "the row stays current";
    catalogue.albumLookup().open();
    EXPECT_EQ(catalogue.albumLookup().order(), "ID") << "the order outlives the close";
    EXPECT_EQ(catalogue.artists()->fieldTrimmed("Album"), "Now That's What I Call Music");

    catalogue.albums().close();
    catalogue.albums().setExclusive(true);
    EXPECT_THROW(catalogue.albums().open(), xbase::XbaseError) << "albumLookup still has ALBUMS open";
    catalogue.albums().setExclusive(false);
    catalogue.albums().open();
    ASSERT_TRUE(catalogue.albums()->goToRecord(1));
    EXPECT_EQ(catalogue.currentAlbumTracks()->count(), 10u);
}

TEST_F(CatalogueViews, ViewSettingsWaitForTheFileToClose)
{
    EXPECT_THROW(catalogue.albumLookup().setFileName("temp.dbf"), xbase::XbaseError);
    EXPECT_THROW(catalogue.albumLookup().setExclusive(true), xbase::XbaseError);
    catalogue.albumLookup().setFilter("Genre=\"rock\"");
    catalogue.albumLookup().setFiltered(true);
    EXPECT_EQ(catalogue.albumLookup()->count(), 4u);
    catalogue.albumLookup().close();
    catalogue.albumLookup().open();
    EXPECT_EQ(catalogue.albumLookup()->count(), 4u) << "the filter outlives the close";
    catalogue.albumLookup().setFilter("");
    EXPECT_EQ(catalogue.albumLookup()->count(), 14u);
    EXPECT_EQ(catalogue.albumLookup()->filterText(), "");
}

TEST_F(CatalogueViews, NextManualIdFollowsTheHighestWithoutMovingTheGrid)
{
    ASSERT_TRUE(catalogue.albums()->goToRecord(9));
    catalogue.albumLookup().setOrder("Album");
    // A filter hiding the highest identifier must not make it come twice.
    catalogue.albumLookup().setFilter("ID<>\"z0000004\"");
    catalogue.albumLookup().setFiltered(true);
    EXPECT_EQ(catalogue.nextManualAlbumId(), "z0000005");
    EXPECT_EQ(catalogue.albums()->recno(), 9u);
    EXPECT_EQ(catalogue.albums().order(), "ARTIST");

    auto& albums = catalogue.albums().cursor();
    albums.append();
    albums.setField("ID", "z0000041");
    albums.post();
    EXPECT_EQ(catalogue.nextManualAlbumId(), "z0000042");

    albums.edit();
    albums.setField("ID", "z9999999");
    albums.post();
    try {
        catalogue.nextManualAlbumId();
        FAIL() << "an identifier past z9999999 was made";
    } catch (const xbase::XbaseError& e) {
        EXPECT_STREQ(e.what(), "No more manual album identifiers: z9999999 is the last one");
    }
}

TEST(EmptyCatalogue, NextManualIdInAnEmptyOrDiscOnlyCollection)
{
    test_support::TempDir dir;
    Catalogue catalogue(dir.path());
    catalogue.createMissingFilesAndOpenViews();
    EXPECT_EQ(catalogue.nextManualAlbumId(), "z0000001");
    auto& albums = catalogue.albums().cursor();
    for (const char* id : {"0a1b2c3d", "ffffffff"}) {
        albums.append();
        albums.setField("ID", id);
        albums.post();
    }
    EXPECT_EQ(catalogue.nextManualAlbumId(), "z0000001");
}

}  // namespace
