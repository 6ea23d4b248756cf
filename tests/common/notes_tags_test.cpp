// The tagged lines of album notes, as the detail view, submission and
// playback read them.
#include <gtest/gtest.h>

#include "common/notes_tags.h"

namespace {

using common::NotesTags;

TEST(NotesTags, CoverAndAddressTakeTheLastLineAndTagsMatchOnlyAtTheStartWithTheirCase)
{
    const NotesTags tags("COVER=/a.jpg\r\nURL=http://one\r\n cover=/x.jpg\r\nCOVER=/b.jpg\r\nURL=http://two\r\n"
                         "Cover=/c.jpg\r\nsee URL=http://three");
    EXPECT_EQ(tags.cover(), "/b.jpg");
    EXPECT_EQ(tags.url(), "http://two");
    EXPECT_EQ(NotesTags("remarks\r\n").cover(), std::nullopt);
}

TEST(NotesTags, LinesEndWithCrLfOrLfAndAFinalLineEndOpensNoLine)
{
    EXPECT_TRUE(NotesTags("").lines().empty());
    EXPECT_EQ(NotesTags("a\r\nb\nc\r\n").lines(), (std::vector<std::string_view>{"a", "b", "c"}));
    EXPECT_EQ(NotesTags("\r\n").lines(), (std::vector<std::string_view>{""}));
}

TEST(NotesTags, AlbumDataCountsEveryLineAndTrackDataTheFirstPerTrack)
{
    const NotesTags tags("EXTD=one\r\nEXTT1=first\r\nEXTT1=second\r\nEXTD=\r\nEXTT01=padded\r\nEXTTx=no\r\n"
                         "EXTT=no\r\nEXTT1000=no\r\nEXTT998=last\r\nextd=no\r\nEXTT2 =no");
    EXPECT_EQ(tags.albumExtensions(), (std::vector<std::string_view>{"one", ""}));
    const std::map<std::size_t, std::string_view> expected{{1, "first"}, {998, "last"}};
    EXPECT_EQ(tags.firstTrackExtensions(), expected);
    ASSERT_EQ(tags.trackExtensions().size(), 4u);
    EXPECT_EQ(tags.trackExtensions()[2].line, "EXTT01=padded");
}

TEST(NotesTags, EscapedLineBreaksGoFromBothEndsOnly)
{
    const struct {
        std::string_view value, expected;
    } cases[] = {
        {"\\n\\nText\\n", "Text"}, {"a\\nb", "a\\nb"}, {"\\n\\n", ""}, {"\\\\n", "\\"}, {" \\nx", " \\nx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::withoutEdgeLineBreaks(c.value), c.expected) << c.value;
}

}  // namespace
