// Releases read from documents shaped as MusicBrainz's web service writes
// them (tests/data/musicbrainz), into the edit form's entry.
#include <gtest/gtest.h>

#include "lookup/musicbrainz_release.h"
#include "support/fixture_files.h"

namespace {

using lookup::readMusicBrainzReleases;

constexpr char kFourTrackDisc[] = "f5x_vqgFPDlQ_6ZTBNJ2mRUQWD4-";
constexpr char kFiveTrackDisc[] = "jJjpgu7dQOh9Dq_yWcaBiCSwKqo-";

std::string document(const std::string& name)
{
    return test_support::readFile(test_support::fixturePath("musicbrainz/" + name));
}

std::vector<std::string> column(const lookup::AlbumEntry& entry, std::string lookup::TrackRow::*cell)
{
    std::vector<std::string> cells;
    for (const lookup::TrackRow& row : entry.tracks)
        cells.push_back(row.*cell);
    return cells;
}

TEST(MusicBrainzRelease, DiscDocumentFillsTheEntryFromTheMediumHoldingTheDisc)
{
    const auto reading = readMusicBrainzReleases(document(std::string("discid-") + kFourTrackDisc + ".json"),
                                                 kFourTrackDisc);
    ASSERT_EQ(reading.error, "");
    ASSERT_EQ(reading.releases.size(), 1u);
    const lookup::MusicBrainzRelease& release = reading.releases[0];
    EXPECT_EQ(release.id, "3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30");
    EXPECT_EQ(release.entry.artist, "Ana Lund & The Quay Band");
    EXPECT_EQ(release.entry.album, "Harbour Lights (disc 2)") << "the second of two discs";
    EXPECT_EQ(release.entry.year, "1998");
    EXPECT_EQ(release.entry.genre, "");
    // The second medium: a guest credit differs from the release's, a
    // missing length stays blank, the recording's stands in for the
    // track's, and text leaves Unicode for Windows-1252.
    EXPECT_EQ(column(release.entry, &lookup::TrackRow::number),
              (std::vector<std::string>{"  1", "  2", "  3", "  4"}));
    EXPECT_EQ(column(release.entry, &lookup::TrackRow::length),
              (std::vector<std::string>{" 5:06", " 3:48", "", " 2:27"}));
    EXPECT_EQ(column(release.entry, &lookup::TrackRow::title),
              (std::vector<std::string>{"Caf\xE9 Nord", "Ana Lund feat. Kim Park / Quiet Water", "? Song",
                                        "Last Light"}));
    EXPECT_TRUE(release.lossy);
    EXPECT_EQ(lookup::musicBrainzMatchText(release),
              "Ana Lund & The Quay Band / Harbour Lights (disc 2) (1998-04-20, SE, CD, 4 tracks, 7391234567890)");
}

TEST(MusicBrainzRelease, SeveralReleasesEachKeepTheirDetails)
{
    const auto reading = readMusicBrainzReleases(document(std::string("discid-") + kFiveTrackDisc + ".json"),
                                                 kFiveTrackDisc);
    ASSERT_EQ(reading.releases.size(), 2u);
    std::vector<std::string> matches;
    for (const auto& release : reading.releases)
        matches.push_back(lookup::musicBrainzMatchText(release));
    EXPECT_EQ(matches, (std::vector<std::string>{"Various Artists / Late Roads (2003-06, GB, CD, 5 tracks)",
                                                 "Various Artists / Late Roads (2010-11-05, DE, CD, 5 tracks, "
                                                 "4006789012345)"}));
    // Every track of a compilation names its artist.
    EXPECT_EQ(reading.releases[1].entry.tracks[4].title, "Sol Keane / Home");
}

TEST(MusicBrainzRelease, MediumIsChosenByTrackCountWithoutADiscAndSearchesHaveNoTracks)
{
    const std::string twoMedia = document(std::string("discid-") + kFourTrackDisc + ".json");
    EXPECT_EQ(readMusicBrainzReleases(twoMedia, {}, 4).releases[0].entry.tracks.size(), 4u);
    EXPECT_EQ(readMusicBrainzReleases(twoMedia).releases[0].entry.tracks[0].title, "Prelude");

    const auto search = readMusicBrainzReleases(document("barcode-5012345678900.json"));
    ASSERT_EQ(search.releases.size(), 1u);
    EXPECT_EQ(search.releases[0].barcode, "5012345678900");
    EXPECT_EQ(search.releases[0].trackCount, 3);
    EXPECT_TRUE(search.releases[0].entry.tracks.empty());
}

TEST(MusicBrainzRelease, BadDocumentsAreReportedNotThrown)
{
    const std::string whole = document("release-5d6e7f80-9a1b-4c2d-8e3f-a0b1c2d3e4f5.json");
    struct Case {
        std::string json;
        std::string errorStart;
    };
    const Case cases[] = {
        {whole.substr(0, whole.size() / 2), "MusicBrainz sent a document that is not valid JSON"},
        {"", "MusicBrainz sent a document that is not valid JSON"},
        {R"({"error":"Not Found"})", "MusicBrainz sent a document that holds no releases."},
        {"[1, 2]", "MusicBrainz sent a document that holds no releases."},
    };
    for (const Case& c : cases) {
        const auto reading = readMusicBrainzReleases(c.json);
        EXPECT_EQ(reading.error.substr(0, c.errorStart.size()), c.errorStart) << c.json;
        EXPECT_TRUE(reading.releases.empty());
    }
    // Values of the wrong kind read as missing ones.
    const auto odd = readMusicBrainzReleases(
        R"({"releases":[{"id":7,"title":["x"],"date":"19","media":[{"tracks":[{"title":3,"length":"long"}]}]}, 5]})");
    ASSERT_EQ(odd.releases.size(), 1u);
    EXPECT_EQ(odd.releases[0].entry.year, "");
    ASSERT_EQ(odd.releases[0].entry.tracks.size(), 1u);
    EXPECT_EQ(odd.releases[0].entry.tracks[0].length, "");
}

}  // namespace
