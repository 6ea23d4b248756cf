// Flip and the Mask Maker's rule over plain text.
#include <gtest/gtest.h>

#include "editing/track_title_tools.h"

namespace {

TEST(TrackTitleTools, FlipExchangesAroundTheFirstSeparatorFoundElseAroundParentheses)
{
    const struct {
        std::string cell, expected;
    } cases[] = {
        {"Song (Singer)", "Singer / Song"},
        {"Song - Singer", "Singer / Song"},
        {"Song--Singer", "Singer / Song"},
        {"Song/Singer", "Singer / Song"},
        {"Singer: Song", "Song / Singer"},
        {"Love-In (Live)", "In (Live) / Love"},
        {"-Intro", "-Intro"},
        {"Song ()", "Song ()"},
        {"Song", "Song"},
        {"(Live) Song", "Live / "},
        {"-Intro (Live) x", "Live / -Intro"},
        {"A" + std::string(" / ") + std::string(120, 'b'), std::string(99, 'b') + " / A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(editing::flippedTitle(c.cell), c.expected) << c.cell;
}

TEST(TrackTitleTools, FlipTwiceGivesTheCellBack)
{
    for (std::string_view cell : {"Singer / Song", "A B / C-D", "x / y: z"})
        EXPECT_EQ(editing::flippedTitle(editing::flippedTitle(cell)), cell);
}

TEST(TrackTitleTools, MaskKeepsTheDirectoryAndTheStemsSharedRegardlessOfCase)
{
    const std::string dir = "/home/Ann/Music/Album/";
    const struct {
        std::vector<std::string> names;
        std::string expected;
    } cases[] = {
        {{"Track01.mp3", "Track02.mp3", "track10.MP3"}, dir + "track*.mp3"},
        {{"01 Intro.mp3", "02 Song.mp3"}, dir + "0*.mp3"},
        {{"Intro.mp3", "Song.mp3"}, dir + "*.mp3"},
        {{"Song.live.mp3", "Song.studio.mp3"}, dir + "song*.mp3"},
        {{"Song.OGG", "Song"}, dir + "*.ogg"},
        {{"Track 1.Wav"}, dir + "Track 1.Wav"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> paths;
        for (const std::string& name : c.names)
            paths.push_back(dir + name);
        const editing::FileMask made = editing::fileMask(paths);
        EXPECT_EQ(made.mask, c.expected) << c.names.front();
        EXPECT_EQ(made.directory, dir);
    }
}

TEST(TrackTitleTools, AMaskWiderThanTheLabelGoesInFrontOfTheNotes)
{
    const editing::LabelAndNotes form{"old label", "remarks"};
    const std::string fits(editing::kLabelWidth, 'm');
    EXPECT_EQ(editing::placedMask(fits, form).label, fits);
    EXPECT_EQ(editing::placedMask(fits, form).notes, "remarks");
    const editing::LabelAndNotes wide = editing::placedMask(fits + "m", form);
    EXPECT_EQ(wide.label, "old label");
    EXPECT_EQ(wide.notes, fits + "m\r\nremarks");
}

}  // namespace
