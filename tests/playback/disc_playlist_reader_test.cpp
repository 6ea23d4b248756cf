// A CD playlist gathered from the small reference collection.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "playback/disc_playlist_reader.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

TEST(DiscPlaylistReader, ListsTheMarkedTracksOfTheDiscElseItsTracksFromTheStart)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    catalogue::Catalogue catalogue{dir.path()};
    catalogue.createMissingFilesAndOpenViews();
    catalogue.playlist().setFilter("ID=\"12345678\"");
    catalogue.playlist().setFiltered(true);

    const playback::DiscPlaylist disc = playback::DiscPlaylistReader(catalogue).read("7a0b3c0d", "Band", "/dev/sr1");
    EXPECT_EQ(disc.tracks.size(), 10u);
    EXPECT_EQ(disc.marks, (std::vector<int>{1, 2, 10}));
    EXPECT_EQ(playback::cdPlaylist(disc, 0),
              "#EXTM3U\r\n#EXTINF:68,Band - Speak to Me\r\ncdda:///dev/sr1@1\r\n#EXTINF:163,Band - Breathe\r\n"
              "cdda:///dev/sr1@2\r\n#EXTINF:123,Band - Eclipse\r\ncdda:///dev/sr1@10\r\n");
    EXPECT_TRUE(playback::cdPlaylist(disc, 9).starts_with("#EXTM3U\r\n#EXTINF:226,Band - Brain Damage\r\n"));
}

}  // namespace
