// The marking dialog's lists and running time, without tables.
#include <gtest/gtest.h>

#include "playback/mark_entry.h"
#include "playback/playlist_marks.h"

namespace {

using playback::kAvailableMinuteWidth;
using playback::kMarkedMinuteWidth;
using playback::markEntry;
using playback::PlaylistMarks;
using Entries = std::vector<std::string>;

TEST(MarkEntry, TextsOfBothListsAndTheTrackNumberReadBack)
{
    EXPECT_EQ(markEntry("  3", "Night Road", 643, kAvailableMinuteWidth), "  3-Night Road (10:43)");
    EXPECT_EQ(markEntry("  4", "Low Tide", 550, kAvailableMinuteWidth), "  4-Low Tide (9:10)");
    EXPECT_EQ(markEntry("  4", "Low Tide", 550, kMarkedMinuteWidth), "  4-Low Tide ( 9:10)");
    EXPECT_EQ(markEntry("  5", "Silence   ", 0, kAvailableMinuteWidth), "  5-Silence");
    EXPECT_EQ(markEntry("100", "   ", 5, kMarkedMinuteWidth), "100- ( 0:05)");

    EXPECT_EQ(playback::entryNr("  4-Low Tide ( 9:10)"), "  4");
    EXPECT_EQ(playback::entryNr(" 12-a-ha / Take On Me"), " 12");
    EXPECT_EQ(playback::entryTrackNumber(" 12-a-ha / Take On Me"), 12);
    EXPECT_EQ(playback::entryTrackNumber("   -blank number"), 0);
    EXPECT_EQ(playback::entryTrackNumber(" 1x-odd"), 0);
}

// An album of four tracks whose first three run 62:05 with their gaps.
class MarksTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::pair<const char*, long> tracks[] = {{"Dawn", 1500}, {"Noon", 1578}, {"Night Road", 643}, {"Low Tide", 550}};
        long number = 0;
        for (const auto& [title, seconds] : tracks) {
            ++number;
            marks.setTrackLength(number, seconds);
            marks.addAvailable(markEntry("  " + std::to_string(number), title, seconds, kAvailableMinuteWidth));
        }
        marks.finishLoading(true);
    }

    PlaylistMarks marks;
};

TEST_F(MarksTest, IncludingAndExcludingKeepsBothListsSortedAndTheRunningTime)
{
    EXPECT_EQ(marks.runningText(), "  0:00");
    marks.include({2, 0, 1});
    EXPECT_EQ(marks.marked(), (Entries{"  1-Dawn (25:00)", "  2-Noon (26:18)", "  3-Night Road (10:43)"}));
    EXPECT_EQ(marks.available(), (Entries{"  4-Low Tide (9:10)"}));
    EXPECT_EQ(marks.runningText(), " 62:05");
    EXPECT_EQ(marks.markedCount(), 3u);

    marks.exclude({0});
    EXPECT_EQ(marks.available(), (Entries{"  1-Dawn (25:00)", "  4-Low Tide (9:10)"}));
    EXPECT_EQ(marks.runningSeconds(), 1578 + 2 + 643);
    EXPECT_EQ(marks.markedNumbers(), (Entries{"  2", "  3"}));

    // One by one down to nothing.
    marks.exclude({1});
    marks.exclude({0});
    EXPECT_EQ(marks.runningText(), "  0:00");
    EXPECT_EQ(marks.markedCount(), 0u);
    EXPECT_EQ(marks.available().size(), 4u);
}

TEST_F(MarksTest, AllAtOnceAndRowsOutOfRange)
{
    marks.include({7, 1, 1});
    EXPECT_EQ(marks.marked(), (Entries{"  2-Noon (26:18)"}));
    marks.includeAll();
    EXPECT_TRUE(marks.available().empty());
    EXPECT_EQ(marks.runningSeconds(), 1500 + 1578 + 643 + 550 + 3 * 2);
    marks.excludeAll();
    EXPECT_TRUE(marks.marked().empty());
    EXPECT_EQ(marks.runningText(), "  0:00");
    EXPECT_EQ(marks.available().front(), "  1-Dawn (25:00)");
}

TEST(PlaylistMarks, LoadedTotalsAndTracksWithoutLength)
{
    PlaylistMarks marks;
    marks.setTrackLength(9, 550);
    marks.setTrackLength(10, 0);
    marks.setTrackLength(1000, 99);  // no such track number
    marks.addMarked(markEntry("  9", "Low Tide", 550, kMarkedMinuteWidth), 550);
    marks.addMarked(markEntry(" 10", "Hidden", 0, kMarkedMinuteWidth), 0);
    marks.addAvailable(markEntry(" 11", "Unknown length", 0, kAvailableMinuteWidth));
    marks.finishLoading(false);
    // At opening a track without length adds nothing...
    EXPECT_EQ(marks.runningText(), "  9:10");
    EXPECT_FALSE(marks.runningTimeShown());
    EXPECT_EQ(marks.marked(), (Entries{"  9-Low Tide ( 9:10)", " 10-Hidden"}));
    // ...after a move it makes the total unknown: zero.
    marks.include({0});
    EXPECT_EQ(marks.runningSeconds(), 0);
    marks.exclude({1, 2});
    EXPECT_EQ(marks.marked(), (Entries{"  9-Low Tide ( 9:10)"}));
    EXPECT_EQ(marks.runningSeconds(), 550);

    PlaylistMarks single;
    single.setTrackLength(1, 1);
    single.addMarked(markEntry("  1", "Blip", 1, kMarkedMinuteWidth), 1);
    single.finishLoading(true);
    EXPECT_EQ(single.runningSeconds(), 1) << "one gap less than tracks";
}

}  // namespace
