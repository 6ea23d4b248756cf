// The grids' cursor moves on the small reference collection: the repeated
// title click, the keyboard jump and going to an album by identifier.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/cursor_browsing.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

using catalogue::TitleClick;

// Record numbers of the small set (see its expected/ALBUMS.records.txt).
constexpr std::uint32_t kAbbaUpper = 5;      // "ABBA"
constexpr std::uint32_t kAbbaMixed = 6;      // "Abba"
constexpr std::uint32_t kBeatlesFirst = 8;   // "The Beatles", twice
constexpr std::uint32_t kVarious = 10;       // "Various Artists"
constexpr std::uint32_t kPiaf = 11;          // "Édith Piaf", last in artist order
constexpr std::uint32_t kFeelgood = 13;      // "Dr. Feelgood"
constexpr std::uint32_t kNevermind = 14;
constexpr std::uint32_t kExactlyFifty = 3;   // last in album order
constexpr std::uint32_t kBlankAlbum = 4;     // first in artist order

class CursorBrowsing : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.createMissingFilesAndOpenViews();
    }
    xbase::Cursor& albums() { return catalogue.albums().cursor(); }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
};

TEST_F(CursorBrowsing, RepeatedTitleClickMovesToTheNextDifferentValue)
{
    ASSERT_TRUE(albums().goToRecord(kBeatlesFirst));
    EXPECT_EQ(catalogue::orderByTitle(albums(), "Artist"), TitleClick::Jumped);
    EXPECT_EQ(albums().recno(), kVarious) << "both Beatles albums are skipped";

    // Exact text: the three ABBA albums differ in case, so each is a stop.
    ASSERT_TRUE(albums().goToRecord(kAbbaUpper));
    catalogue::orderByTitle(albums(), "ARTIST");
    EXPECT_EQ(albums().recno(), kAbbaMixed);
}

TEST_F(CursorBrowsing, RepeatedTitleClickStaysOnTheLastRowAtTheEnd)
{
    ASSERT_TRUE(albums().goToRecord(kVarious));
    EXPECT_TRUE(catalogue::jumpToNextDifferent(albums(), "Artist"));
    EXPECT_EQ(albums().recno(), kPiaf);
    EXPECT_FALSE(catalogue::jumpToNextDifferent(albums(), "Artist"));
    EXPECT_EQ(albums().recno(), kPiaf);
    EXPECT_FALSE(albums().eof());
}

TEST_F(CursorBrowsing, ClickOnAnotherTitleOrdersByItsTagAndKeepsTheAlbum)
{
    ASSERT_TRUE(albums().goToRecord(kNevermind));
    EXPECT_TRUE(catalogue::isCurrentOrder(albums(), "Artist"));
    EXPECT_EQ(catalogue::orderByTitle(albums(), "Genre"), TitleClick::Ordered);
    EXPECT_TRUE(catalogue::isCurrentOrder(albums(), "genre"));
    EXPECT_FALSE(catalogue::isCurrentOrder(albums(), "Artist"));
    EXPECT_EQ(albums().recno(), kNevermind);
    // Genre, then artist: the first of the rock albums in that order.
    albums().first();
    EXPECT_EQ(albums().fieldTrimmed("Genre"), "");
    ASSERT_TRUE(albums().seekNearest("ROCK"));
    EXPECT_EQ(albums().fieldTrimmed("Artist"), "Nirvana");
}

TEST_F(CursorBrowsing, NaturalOrderIsNoTitlesOrder)
{
    albums().setOrder("");
    for (const char* field : {"Artist", "Album", "Label", "Genre"})
        EXPECT_FALSE(catalogue::isCurrentOrder(albums(), field)) << field;
}

TEST_F(CursorBrowsing, KeyboardJumpSeeksTheLetterInTheCurrentOrder)
{
    catalogue::orderByTitle(albums(), "Album");
    albums().first();
    EXPECT_TRUE(catalogue::keyboardJump(albums(), 'b'));
    EXPECT_EQ(albums().recno(), kFeelgood) << "no title starts with B: the next one after it";
    EXPECT_TRUE(catalogue::keyboardJump(albums(), 'N'));
    EXPECT_EQ(albums().recno(), kNevermind);
    // Past every key: the last row, not the end of file.
    EXPECT_TRUE(catalogue::keyboardJump(albums(), '~'));
    EXPECT_EQ(albums().recno(), kExactlyFifty);
}

TEST_F(CursorBrowsing, KeyboardJumpIgnoresNaturalOrderAndOtherKeys)
{
    ASSERT_TRUE(albums().goToRecord(kNevermind));
    for (int key : {31, 127, 0x1000})
        EXPECT_FALSE(catalogue::keyboardJump(albums(), key)) << key;
    albums().setOrder("");
    EXPECT_FALSE(catalogue::keyboardJump(albums(), 'B'));
    EXPECT_EQ(albums().recno(), kNevermind);
}

TEST_F(CursorBrowsing, GoToAlbumByIdKeepsTheOrder)
{
    EXPECT_TRUE(catalogue::goToAlbumById(catalogue.albums(), "e1f2a3b4"));
    EXPECT_EQ(albums().recno(), kPiaf);
    EXPECT_TRUE(catalogue::isCurrentOrder(albums(), "Artist"));
    EXPECT_EQ(albums().row(), albums().count() - 1);
}

TEST_F(CursorBrowsing, GoToAnUnknownIdLeavesTheCurrentAlbum)
{
    ASSERT_TRUE(albums().goToRecord(kFeelgood));
    EXPECT_FALSE(catalogue::goToAlbumById(catalogue.albums(), "ffffffff"));
    EXPECT_EQ(albums().recno(), kFeelgood);
    albums().setOrder("");
    EXPECT_FALSE(catalogue::goToAlbumById(catalogue.albums(), "ffffffff"));
    EXPECT_EQ(albums().recno(), kFeelgood);
    EXPECT_EQ(albums().order(), "");
    EXPECT_TRUE(catalogue::goToAlbumById(catalogue.albums(), "z0000001"));
    EXPECT_EQ(albums().recno(), kBlankAlbum);
}

}  // namespace
