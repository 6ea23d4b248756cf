#include "lookup/cddb_match.h"

#include <gtest/gtest.h>

namespace {

struct MatchCase {
    const char* line;
    const char* category;
    const char* discId;
    const char* artist;
    const char* album;
};

TEST(CddbMatch, LinesGiveCategoryIdentifierArtistAndAlbum)
{
    const MatchCase cases[] = {
        {"rock 0a1b2c3d Some Artist / Some Album", "rock", "0a1b2c3d", "Some Artist", "Some Album"},
        // The category keeps its capitals: the read command sends it so.
        {"Rock 0a1b2c3d A / B", "Rock", "0a1b2c3d", "A", "B"},
        {"newage 31043304 Mira Solvang / Left\\\\Right Tides", "newage", "31043304", "Mira Solvang",
         "Left\\Right Tides"},
        {"misc 5506cf08 No Slash Here", "misc", "5506cf08", "", "No Slash Here"},
        {"misc 5506cf08 Kite Season / North/South", "misc", "5506cf08", "Kite Season", "North/South"},
        {"misc 5506cf08", "misc", "5506cf08", "", ""},
    };
    for (const MatchCase& c : cases) {
        const auto match = lookup::parseCddbMatch(c.line);
        ASSERT_TRUE(match) << c.line;
        EXPECT_EQ(match->category, c.category) << c.line;
        EXPECT_EQ(match->discId, c.discId) << c.line;
        EXPECT_EQ(match->artist, c.artist) << c.line;
        EXPECT_EQ(match->album, c.album) << c.line;
    }
}

TEST(CddbMatch, TitleIsCutAt255Characters)
{
    const auto match = lookup::parseCddbMatch("rock 0a1b2c3d " + std::string(300, 'a'));
    ASSERT_TRUE(match);
    EXPECT_EQ(match->album.size(), 255u);
}

TEST(CddbMatch, LinesWithoutCategoryOrEightCharacterIdentifierAreNoMatch)
{
    for (const char* line : {"", "rock", " 0a1b2c3d A / B", "rock 0a1b2c", "rock 0a1b2c3dx A / B"})
        EXPECT_FALSE(lookup::parseCddbMatch(line)) << line;
}

}  // namespace
