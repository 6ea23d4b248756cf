// The number of tracks typed in by hand.
#include <gtest/gtest.h>

#include "lookup/track_count_prompt.h"
#include "support/scripted_prompter.h"

namespace {

using test_support::ScriptedPrompter;

TEST(TrackCountPrompt, AsksUntilAWholeNumberFrom1)
{
    ScriptedPrompter user;
    for (const char* answer : {"", "two", "0", "-3", "1000", " 12 "})
        user.answerText(answer);
    EXPECT_EQ(lookup::askTrackCount(user), 12u);
    EXPECT_EQ(user.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>(5, "Entry must be a number (1 or more)"));
    EXPECT_EQ(user.texts(ScriptedPrompter::Kind::AskText).front(), "Total Tracks Entry Form");

    ScriptedPrompter cancelling;
    cancelling.answerText(std::nullopt);
    EXPECT_EQ(lookup::askTrackCount(cancelling), 1u);
}

TEST(TrackCountPrompt, NumberedPlaceholderRows)
{
    lookup::AlbumEntry entry;
    entry.tracks.resize(5);
    lookup::fillNumberedTracks(10, entry);
    ASSERT_EQ(entry.tracks.size(), 10u);
    EXPECT_EQ(entry.tracks[0].number, "01");
    EXPECT_EQ(entry.tracks[0].title, "Track 01");
    EXPECT_EQ(entry.tracks[9].title, "Track 10");
    EXPECT_EQ(entry.tracks[9].length, "");
}

}  // namespace
