// Saving the edit form's album into the small reference collection: the
// rows written, Modify's title-only rewrite, the artist rows, identifiers.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/rollback_journal.h"
#include "catalogue_snapshot.h"
#include "editing/album_form_loader.h"
#include "editing/album_saver.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

using editing::AlbumFormData;
using editing::SaveResult;
using lookup::EditMode;
using test_support::Row;

constexpr char kPinkFloyd[] = "7a0b3c0d";
constexpr char kCompilation[] = "c30d2e11";

class AlbumSave : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue = std::make_unique<catalogue::Catalogue>(dir.path());
        catalogue->createMissingFilesAndOpenViews();
    }

    void goToAlbum(const std::string& id)
    {
        xbase::Cursor& albums = catalogue->albums().cursor();
        albums.setOrder("ID");
        ASSERT_TRUE(albums.seek(id)) << id;
        albums.setOrder("Artist");
    }

    SaveResult save(const AlbumFormData& data, const std::string& discId = {})
    {
        return editing::AlbumSaver(*catalogue).save(data, discId);
    }

    std::vector<Row> rowsOf(std::string_view file, const std::string& id) const
    {
        return test_support::liveRows(dir.path(), std::string(file), id);
    }

    static AlbumFormData newAlbum(EditMode mode, std::string artist, std::vector<lookup::TrackRow> tracks = {})
    {
        AlbumFormData data;
        editing::resetForNewEntry(data, mode, "rock");
        data.artist = std::move(artist);
        data.album = "An Album";
        data.tracks = std::move(tracks);
        return data;
    }

    test_support::TempDir dir;
    std::unique_ptr<catalogue::Catalogue> catalogue;
};

TEST_F(AlbumSave, NewAlbumWritesItsFieldsTracksAndArtistRowAsTheFormHoldsThem)
{
    AlbumFormData data = newAlbum(EditMode::AddOther, " Pink Floyd ",
                                  {{"01", " 4:05", " Speak "}, {"02", "12:30", "Breathe"}, {"03", "", "Silence"}});
    data.album = "  Meddle ";
    data.genre = " Rock ";
    data.label = " backup 3";
    data.media = "LD (local drive)";
    data.year = "1971";
    data.index = "A1";
    data.notes = "first line\r\nCOVER=/covers/meddle.jpg";
    data.source = 'M';
    data.revision = "\x85";

    const SaveResult result = save(data);
    ASSERT_EQ(result.status, SaveResult::Status::Saved) << result.error;
    // z0000004 is the highest manual ID of the collection.
    EXPECT_EQ(result.id, "z0000005");

    const auto albums = rowsOf("ALBUMS.DBF", "z0000005");
    ASSERT_EQ(albums.size(), 1u);
    const Row& album = albums[0];
    EXPECT_EQ(album.at("ARTIST"), "Pink Floyd");
    EXPECT_EQ(album.at("ALBUM"), "Meddle");
    EXPECT_EQ(album.at("GENRE"), "rock");
    EXPECT_EQ(album.at("LABEL"), " backup 3");
    EXPECT_EQ(album.at("MEDIA"), "LD");
    EXPECT_EQ(album.at("YR"), "1971");
    EXPECT_EQ(album.at("IX"), "A1");
    EXPECT_EQ(album.at("NOTES"), "first line\r\nCOVER=/covers/meddle.jpg");
    EXPECT_EQ(album.at("SYS"), "M");
    EXPECT_EQ(album.at("REV"), "~");
    EXPECT_EQ(catalogue->albums()->fieldTrimmed("ID"), "z0000005") << "the new album becomes current";

    const auto tracks = rowsOf("TRACKS.DBF", "z0000005");
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0].at("NR"), "  1");
    EXPECT_EQ(tracks[0].at("SECS"), "245");
    EXPECT_EQ(tracks[0].at("TRACK"), "Speak");
    EXPECT_EQ(tracks[1].at("NR"), "  2");
    EXPECT_EQ(tracks[1].at("SECS"), "750");
    EXPECT_EQ(tracks[2].at("NR"), "  3");
    EXPECT_EQ(tracks[2].at("SECS"), "0");

    const auto artists = rowsOf("ARTISTS.DBF", "z0000005");
    ASSERT_EQ(artists.size(), 1u);
    EXPECT_EQ(artists[0].at("NR"), "");
    EXPECT_EQ(artists[0].at("ARTIST"), "Pink Floyd");
    EXPECT_FALSE(catalogue::RollbackJournal::pending(dir.path(), xbase::defaultFileSystem()));
}

TEST_F(AlbumSave, NewAlbumWithoutTracksGetsNoTrackRowsAndOneArtistRow)
{
    const SaveResult result = save(newAlbum(EditMode::AddOther, "Solo"));
    ASSERT_EQ(result.status, SaveResult::Status::Saved);
    EXPECT_TRUE(rowsOf("TRACKS.DBF", result.id).empty());
    EXPECT_EQ(rowsOf("ARTISTS.DBF", result.id).size(), 1u);
}

TEST_F(AlbumSave, DiscAlbumTakesTheDiscIdUnlessTheCollectionHasIt)
{
    const auto before = test_support::takeSnapshot(dir.path());
    SaveResult result = save(newAlbum(EditMode::AddFromDrive, "Pink Floyd"), kPinkFloyd);
    EXPECT_EQ(result.status, SaveResult::Status::DuplicateId);
    EXPECT_EQ(result.id, kPinkFloyd);
    EXPECT_EQ(save(newAlbum(EditMode::AddFromDrive, "Nobody"), "").status, SaveResult::Status::NoId);
    test_support::expectSameCatalogue(before, test_support::takeSnapshot(dir.path()), "refused");

    // Only a deleted album had this one.
    result = save(newAlbum(EditMode::AddFromDrive, "Somebody"), "deadbeef");
    ASSERT_EQ(result.status, SaveResult::Status::Saved) << result.error;
    EXPECT_EQ(rowsOf("ALBUMS.DBF", "deadbeef").size(), 1u);
}

TEST_F(AlbumSave, ModifyRewritesOnlyTheTitlesAndKeepsNumbersAndLengths)
{
    goToAlbum(kPinkFloyd);
    long running = 0;
    AlbumFormData data = editing::loadCurrentAlbum(*catalogue, running);
    EXPECT_EQ(data.mode, EditMode::Modify);
    EXPECT_EQ(data.artist, "Pink Floyd");
    EXPECT_EQ(running, 2568) << "2550 seconds, 2 per gap between the ten tracks";
    ASSERT_EQ(data.tracks.size(), 10u);
    EXPECT_EQ(data.tracks[3].number, "  4");
    EXPECT_EQ(data.tracks[3].length, " 7:01");
    EXPECT_EQ(data.tracks[3].title, "Time");

    const auto tracksBefore = rowsOf("TRACKS.DBF", kPinkFloyd);
    const auto albumsBefore = rowsOf("ALBUMS.DBF", kPinkFloyd);
    for (std::size_t i = 0; i < data.tracks.size(); ++i) {
        data.tracks[i].title = " Title " + std::to_string(i + 1) + " ";
        data.tracks[i].length = "99:99";
    }
    data.artist = "The Floyd";
    const SaveResult result = save(data);
    ASSERT_EQ(result.status, SaveResult::Status::Saved) << result.error;
    EXPECT_EQ(result.id, kPinkFloyd);

    const auto tracks = rowsOf("TRACKS.DBF", kPinkFloyd);
    ASSERT_EQ(tracks.size(), tracksBefore.size());
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        EXPECT_EQ(tracks[i].at("#"), tracksBefore[i].at("#"));
        EXPECT_EQ(tracks[i].at("NR"), tracksBefore[i].at("NR"));
        EXPECT_EQ(tracks[i].at("SECS"), tracksBefore[i].at("SECS"));
    }
    // Record 43 holds track 10, so number order is not record order.
    EXPECT_EQ(tracks.back().at("#"), "43");
    EXPECT_EQ(tracks.back().at("TRACK"), "Title 10");
    EXPECT_EQ(tracks[3].at("TRACK"), "Title 4");
    const auto albums = rowsOf("ALBUMS.DBF", kPinkFloyd);
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].at("#"), albumsBefore[0].at("#"));
    EXPECT_EQ(albums[0].at("ARTIST"), "The Floyd");
    const auto artists = rowsOf("ARTISTS.DBF", kPinkFloyd);
    ASSERT_EQ(artists.size(), 1u);
    EXPECT_EQ(artists[0].at("ARTIST"), "The Floyd");
}

TEST_F(AlbumSave, MultiArtistAlbumGetsOneArtistRowPerTitleThatNamesItsArtist)
{
    const SaveResult result = save(newAlbum(EditMode::AddOther, "Various Artists",
                                            {{"01", "", "AC/DC / Thunderstruck"},
                                             {"02", "", "Bj\xf6rk/Army of Me"},
                                             {"03", "", "/Intro"},
                                             {"04", "", "Outro"},
                                             {"05", "", "  Singer  / Song"}}));
    ASSERT_EQ(result.status, SaveResult::Status::Saved) << result.error;
    const auto artists = rowsOf("ARTISTS.DBF", result.id);
    ASSERT_EQ(artists.size(), 3u);
    EXPECT_EQ(artists[0].at("NR"), "  1");
    EXPECT_EQ(artists[0].at("ARTIST"), "AC/DC");
    EXPECT_EQ(artists[1].at("NR"), "  2");
    EXPECT_EQ(artists[1].at("ARTIST"), "Bj\xf6rk");
    EXPECT_EQ(artists[2].at("NR"), "  5");
    EXPECT_EQ(artists[2].at("ARTIST"), "Singer");
}

TEST_F(AlbumSave, ModifyingACompilationReplacesItsArtistRowsAndNoOtherAlbums)
{
    const auto othersBefore = rowsOf("ARTISTS.DBF", kPinkFloyd);
    goToAlbum(kCompilation);
    long running = 0;
    AlbumFormData data = editing::loadCurrentAlbum(*catalogue, running);
    ASSERT_EQ(data.tracks.size(), 6u);
    data.tracks[0].title = "Madonna - Holiday";
    data.tracks[1].title = "The Artist / Kiss";
    ASSERT_EQ(save(data).status, SaveResult::Status::Saved);

    const auto artists = rowsOf("ARTISTS.DBF", kCompilation);
    std::vector<std::string> names;
    for (const Row& row : artists)
        names.push_back(row.at("NR") + "=" + row.at("ARTIST"));
    EXPECT_EQ(names, (std::vector<std::string>{"  2=The Artist",
                                               "  3=Sin\xe9"
                                               "ad O'Connor",
                                               "  4=a-ha", "  5=AC/DC", "  6=Bj\xf6rk"}));
    EXPECT_EQ(rowsOf("ARTISTS.DBF", kPinkFloyd), othersBefore);
}

}  // namespace
