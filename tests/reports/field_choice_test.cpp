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

}  // namespace
