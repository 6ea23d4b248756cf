#include "reports/field_choice.h"

#include <gtest/gtest.h>

namespace {

using reports::OutputKind;
using Labels = std::vector<std::string>;

TEST(FieldChoice, StartsWithAlbumArtistAndIdOnlyWhenTracksComeToo)
{
    const struct {
        OutputKind kind;
        bool tracks;
        Labels chosen, available;
    } cases[] = {
        {OutputKind::Csv, false, {"ALBUM", "ARTIST"}, {"GENRE", "ID", "IX", "LABEL", "MEDIA", "YR"}},
        {OutputKind::Csv, true, {"ALBUM", "ARTIST", "ID"}, {"GENRE", "IX", "LABEL", "MEDIA", "YR"}},
        {OutputKind::Xml, false, {"ALBUM", "ARTIST"}, {"GENRE", "ID", "IX", "LABEL", "MEDIA", "Notes", "YR"}},
        {OutputKind::Printed, true, {"ALBUM", "ARTIST", "ID"}, {"GENRE", "IX", "LABEL", "MEDIA", "Notes", "YR"}},
    };
    for (const auto& c : cases) {
        const reports::FieldChoice choice = reports::initialFieldChoice(c.kind, c.tracks);
        EXPECT_EQ(choice.chosen, c.chosen);
        EXPECT_EQ(choice.available, c.available);
    }
}

TEST(FieldChoice, MovesSelectedEntriesLastFirstAndKeepsTheAvailableSorted)
{
    reports::FieldChoice choice{{"ALBUM", "ARTIST"}, {"GENRE", "ID", "IX", "LABEL", "Notes", "YR"}};
    choice.include({1, 4, 9});  // row 9 is past the end
    EXPECT_EQ(choice.chosen, (Labels{"ALBUM", "ARTIST", "Notes", "ID"}));
    EXPECT_EQ(choice.available, (Labels{"GENRE", "IX", "LABEL", "YR"}));

    choice.exclude({0, 2});
    EXPECT_EQ(choice.chosen, (Labels{"ARTIST", "ID"}));
    EXPECT_EQ(choice.available, (Labels{"ALBUM", "GENRE", "IX", "LABEL", "Notes", "YR"}));

    choice.includeAll();
    EXPECT_EQ(choice.chosen, (Labels{"ARTIST", "ID", "ALBUM", "GENRE", "IX", "LABEL", "Notes", "YR"}));
    EXPECT_TRUE(choice.available.empty());
    choice.excludeAll();
    EXPECT_TRUE(choice.chosen.empty());
    EXPECT_EQ(choice.available, (Labels{"ALBUM", "ARTIST", "GENRE", "ID", "IX", "LABEL", "Notes", "YR"}));
}

TEST(FieldChoice, UpAndDownStopAtTheEnds)
{
    const struct {
        std::size_t row;
        int step;
        std::size_t rowAfter;
        Labels chosen;
    } cases[] = {
        {0, -1, 0, {"ALBUM", "ARTIST", "ID"}},
        {1, -1, 0, {"ARTIST", "ALBUM", "ID"}},
        {1, +1, 2, {"ALBUM", "ID", "ARTIST"}},
        {2, +1, 2, {"ALBUM", "ARTIST", "ID"}},
    };
    for (const auto& c : cases) {
        reports::FieldChoice choice{{"ALBUM", "ARTIST", "ID"}, {}};
        EXPECT_EQ(choice.moveChosen(c.row, c.step), c.rowAfter);
        EXPECT_EQ(choice.chosen, c.chosen);
    }
}

}  // namespace
