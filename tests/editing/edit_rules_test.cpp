// The edit form's small text rules: time cells, multi-artist detection,
// a track's artist, the notes summary.
#include <gtest/gtest.h>

#include "editing/album_form_loader.h"
#include "editing/multi_artist.h"
#include "editing/track_time.h"

namespace {

TEST(EditRules, TimeCellsGiveSeconds)
{
    EXPECT_EQ(editing::cellSeconds(" 4:05"), 245);
    EXPECT_EQ(editing::cellSeconds("12:30"), 750);
    EXPECT_EQ(editing::cellSeconds(""), 0);
    EXPECT_EQ(editing::cellSeconds(" 0:00"), 0);
    EXPECT_EQ(editing::cellSeconds("4:5"), 245);
    EXPECT_EQ(editing::cellSeconds("100:00"), 6000);
    EXPECT_EQ(editing::cellSeconds("12:345"), 754) << "two seconds digits only";
    EXPECT_EQ(editing::cellSeconds("ab:12"), 12) << "a part that is no number counts 0";
    EXPECT_EQ(editing::cellSeconds("1234"), 0);
}

TEST(EditRules, VariousStartsAMultiArtistAlbumInAnyCase)
{
    EXPECT_TRUE(editing::isVarious("various artists"));
    EXPECT_TRUE(editing::isVarious("Various Artists Vol. 2"));
    EXPECT_TRUE(editing::isVarious("VARIOUS"));
    EXPECT_FALSE(editing::isVarious("The Various"));
    EXPECT_FALSE(editing::isVarious(" Various"));
    EXPECT_FALSE(editing::isVarious("Vario"));
}

TEST(EditRules, TrackArtistIsTheTextBeforeTheSlash)
{
    EXPECT_EQ(editing::trackArtist("Madonna / Holiday"), "Madonna");
    EXPECT_EQ(editing::trackArtist("AC/DC / Thunderstruck"), "AC/DC") << "\" / \" wins over an earlier \"/\"";
    EXPECT_EQ(editing::trackArtist("Bj\xf6rk/Army of Me"), "Bj\xf6rk");
    EXPECT_EQ(editing::trackArtist("  Singer  /Song"), "Singer");
    EXPECT_EQ(editing::trackArtist("/Intro"), std::nullopt);
    EXPECT_EQ(editing::trackArtist(" / Intro"), std::nullopt);
    EXPECT_EQ(editing::trackArtist("Intro"), std::nullopt);
}

TEST(EditRules, NotesSummaryCountsLinesAndShowsTheFirst)
{
    EXPECT_EQ(editing::notesLineCount(""), 0u);
    EXPECT_EQ(editing::notesLineCount("one"), 1u);
    EXPECT_EQ(editing::notesLineCount("one\r\ntwo"), 2u);
    EXPECT_EQ(editing::notesLineCount("one\r\ntwo\r\n"), 2u);
    EXPECT_EQ(editing::notesLineCount("\r\n\r\nthree"), 3u);
    EXPECT_EQ(editing::firstNotesLine("COVER=x.jpg\r\nmore"), "COVER=x.jpg");
    EXPECT_EQ(editing::firstNotesLine(""), "");
}

}  // namespace
