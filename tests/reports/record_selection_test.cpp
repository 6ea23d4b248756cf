#include "reports/record_selection.h"

#include <gtest/gtest.h>

#include "catalogue/catalogue_schema.h"
#include "reports/report_fixture.h"
#include "xbase/xbase_error.h"

namespace reports_test {
namespace {

// Counts from an independent reader of the medium collection: 3,120 live
// albums; 30 with "Red" in the artist; 713 with a track named "...Lullaby...",
// 4 of them among those 30. z0000002 has no such track.
constexpr const char* kRed = R"("Red" $ Artist)";
constexpr const char* kLullaby = R"("Lullaby" $ TRACK)";

struct SelectionCase {
    const char* name;
    const char* albumsFilter;
    const char* tracksFilter;
    bool includeTracks;
    std::string message;  // "" = something to output
    std::uint32_t albums;
};

class RecordSelectionTest : public ReportFixture, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(RecordSelectionTest, SelectsAlbumsOrSaysWhyNot)
{
    const SelectionCase& c = GetParam();
    SelectionSettings settings;
    settings.albumsFilter = c.albumsFilter;
    settings.tracksFilter = c.tracksFilter;
    settings.includeTracks = c.includeTracks;
    settings.order = reports::SortOrder::Artist;
    ASSERT_EQ(selection_.prepare(settings, albumsHistory_, tracksHistory_), c.message);
    if (c.message.empty()) {
        EXPECT_EQ(selection_.albums().count(), c.albums);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MediumCollection, RecordSelectionTest,
    ::testing::Values(
        SelectionCase{"Everything", "", "", false, "", 3120},
        SelectionCase{"AlbumsFilter", kRed, "", true, "", 30},
        SelectionCase{"TracksFilterWithoutTracksStillLimits", "", kLullaby, false, "", 713},
        SelectionCase{"BothFilters", kRed, kLullaby, true, "", 4},
        SelectionCase{"InvalidAlbumsFilter", "Artist +", "", false,
                      "Invalid Filter Expression: \rArtist +\rUnexpected end of expression at position 9", 0},
        SelectionCase{"NoAlbumPasses", R"(Artist = "Nobody")", "", false,
                      "Sorry, no records pass filter:\rArtist = \"Nobody\"", 0},
        SelectionCase{"NoTrackPasses", "", R"("Zzq" $ TRACK)", true, "Sorry, no records pass filter:\r\"Zzq\" $ TRACK",
                      0},
        SelectionCase{"InvalidTracksFilterChecked", "", "TRACK +", true,
                      "Invalid Filter Expression: \rTRACK +\rUnexpected end of expression at position 8", 0},
        SelectionCase{"NoAlbumPassesBoth", R"(ID = "z0000002")", kLullaby, false,
                      "No albums match BOTH the albums filter\rID = \"z0000002\"\rAND the tracks filter\r" +
                          std::string(kLullaby),
                      0}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return std::string(info.param.name); });

TEST_F(ReportFixture, TracksFilterMakesTempTableWithAlbumTagsAndRemembersFilters)
{
    SelectionSettings settings;
    settings.albumsFilter = std::string("  ") + kRed + " ";
    settings.tracksFilter = kLullaby;
    select(settings);
    selection_.release();

    auto temp = xbase::Table::open(file("temp.dbf"), xbase::OpenMode::Shared);
    xbase::Cursor cursor(temp);
    for (const catalogue::TagDef& tag : catalogue::kAlbums.tags) {
        cursor.setOrder(tag.name);
        EXPECT_EQ(cursor.count(), 713u) << tag.name;
    }
    ASSERT_TRUE(cursor.seek("z0000004"));
    EXPECT_EQ(cursor.fieldTrimmed("Album"), "Mirror D\xE9j\xE0 Train Lonely");

    search::FilterHistory albums(dir_.path(), search::FilterHistory::Table::Albums);
    search::FilterHistory tracks(dir_.path(), search::FilterHistory::Table::Tracks);
    albums.load();
    tracks.load();
    EXPECT_EQ(albums.entries(), std::vector<std::string>{kRed});
    EXPECT_EQ(tracks.entries(), std::vector<std::string>{kLullaby});
}

TEST_F(ReportFixture, UncheckedInvalidTracksFilterIsTheEnginesError)
{
    SelectionSettings settings;
    settings.tracksFilter = "TRACK +";
    EXPECT_THROW(selection_.prepare(settings, albumsHistory_, tracksHistory_), xbase::XbaseError);
}

}  // namespace
}  // namespace reports_test
