// The edit form's genre list over a copy of the small collection: the
// settings' genres first, then the collection's own, case folded, once.
#include "editing/genre_choices.h"

#include <gtest/gtest.h>

#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

TEST(GenreChoices, SettingsGenresThenTheCollectionsOthersOnceEach)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    catalogue::Catalogue catalogue(dir.path());
    catalogue.createMissingFilesAndOpenViews();
    xbase::Cursor& albums = catalogue.albums().cursor();
    // Other letter cases, and an artist of the highest byte, which the walk
    // past a genre's keys must not stop on.
    for (const auto& [genre, artist] : {std::pair<std::string, std::string>{"Latin", "Tito Puente"},
                                        {"SOUL", "Otis Redding"},
                                        {"soul", "Al Green"},
                                        {"ROCK", "Queen"},
                                        {"pop", std::string(50, '\xff')}}) {
        albums.append();
        albums.setField("Artist", artist);
        albums.setField("Genre", genre);
        albums.setField("ID", catalogue.nextManualAlbumId());
        albums.post();
    }
    albums.goToRecord(3);
    const std::string order = albums.order();

    EXPECT_EQ(editing::genreChoices({"rock", "blues", "Soundtrack"}, catalogue),
              (std::vector<std::string>{"rock", "blues", "Soundtrack", "chanson", "electronic", "hard rock", "latin",
                                        "metal", "pop", "soul"}));
    EXPECT_EQ(albums.recno(), 3u) << "the albums grid stays where it was";
    EXPECT_EQ(albums.order(), order);
}

}  // namespace
