// The track chooser's entries, its errors and its preselection counter.
#include <gtest/gtest.h>

#include "editing/track_chooser.h"
#include "support/scripted_prompter.h"

namespace {

using editing::TrackChooser;
using test_support::ScriptedPrompter;

const std::vector<lookup::TrackRow> kRows{
    {"  1", " 3:00", "One"}, {"02", "", "Two"}, {"3", "", "Three"}, {"  4", "", "Four"}, {"  5", "", "Five"},
};

TEST(TrackChooser, EntriesShowTheNumberCellRightAlignedAndWithoutRowsTheUserIsTold)
{
    ScriptedPrompter prompter;
    TrackChooser chooser(prompter);
    const auto entries = chooser.entries(kRows);
    ASSERT_TRUE(entries);
    EXPECT_EQ((*entries)[0], "  1-One");
    EXPECT_EQ((*entries)[1], " 02-Two");
    EXPECT_EQ((*entries)[2], "  3-Three");
    EXPECT_TRUE(prompter.requests().empty());
    EXPECT_FALSE(chooser.entries({}));
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>{"No tracks entered for this Album"});
}

TEST(TrackChooser, EveryChoiceMovesThePreselectionOnUntilModifyStartsItOver)
{
    ScriptedPrompter prompter;
    TrackChooser chooser(prompter);
    EXPECT_EQ(chooser.preselected(kRows.size()), 0u);
    EXPECT_TRUE(chooser.accept(4)) << "the fifth track";
    EXPECT_EQ(chooser.preselected(kRows.size()), 1u) << "the second entry, whatever was chosen";

    EXPECT_FALSE(chooser.accept(std::nullopt));
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error), std::vector<std::string>{"No track selected"});
    EXPECT_EQ(chooser.preselected(kRows.size()), 1u) << "a refused OK counts for nothing";

    EXPECT_TRUE(chooser.accept(0));
    EXPECT_EQ(chooser.preselected(2), std::nullopt) << "past the last entry nothing is selected";
    chooser.resetPreselection();
    EXPECT_EQ(chooser.preselected(2), 0u);
}

}  // namespace
