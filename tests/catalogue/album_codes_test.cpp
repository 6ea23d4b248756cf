// Identifiers, revision characters, text forms and tag building.
#include <gtest/gtest.h>

#include "catalogue/album_codes.h"
#include "catalogue/display_text.h"
#include "catalogue/index_builder.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/xbase_error.h"

namespace {

using catalogue::nextManualIdAfter;

TEST(ManualId, NextFollowsTheHighestZNumber)
{
    EXPECT_EQ(nextManualIdAfter(""), "z0000001");
    EXPECT_EQ(nextManualIdAfter("ffffffff"), "z0000001") << "only disc identifiers";
    EXPECT_EQ(nextManualIdAfter("Z0000007"), "z0000001") << "only lower-case z counts";
    EXPECT_EQ(nextManualIdAfter("z0000041"), "z0000042");
    EXPECT_EQ(nextManualIdAfter("z0000099"), "z0000100");
    EXPECT_EQ(nextManualIdAfter("z41     "), "z0000042");
    EXPECT_EQ(nextManualIdAfter("z9999998"), "z9999999");
}

TEST(ManualId, RefusesPastTheLastAndNonNumbers)
{
    EXPECT_THROW(nextManualIdAfter("z9999999"), xbase::XbaseError);
    EXPECT_THROW(nextManualIdAfter("z99999999999999999999"), xbase::XbaseError);
    EXPECT_THROW(nextManualIdAfter("z00000a1"), xbase::XbaseError);
    EXPECT_THROW(nextManualIdAfter("z"), xbase::XbaseError);
}

TEST(RevisionChar, CodeIs48PlusRevisionUpToTilde)
{
    EXPECT_EQ(catalogue::revisionChar(0), '0');
    EXPECT_EQ(catalogue::revisionChar(9), '9');
    EXPECT_EQ(catalogue::revisionChar(10), ':');
    EXPECT_EQ(catalogue::revisionChar(78), '~');
    EXPECT_EQ(catalogue::revisionChar(79), '~');
    EXPECT_EQ(catalogue::revisionChar(1000000), '~');
}

TEST(MediaCode, FirstTwoCharactersOfTheText)
{
    EXPECT_EQ(catalogue::mediaCode("CR (CD-R)"), "CR");
    EXPECT_EQ(catalogue::mediaCode(""), "");
}

TEST(DisplayText, TimeAndNumberForms)
{
    EXPECT_EQ(catalogue::timeText(245, 2), " 4:05");
    EXPECT_EQ(catalogue::timeText(3725, 2), "62:05");
    EXPECT_EQ(catalogue::timeText(245, 3), "  4:05");
    EXPECT_EQ(catalogue::timeText(0, 2), " 0:00");
    EXPECT_EQ(catalogue::timeText(600, 3), " 10:00");
    EXPECT_EQ(catalogue::timeText(600000, 2), "10000:00") << "minutes are never cut";
    EXPECT_EQ(catalogue::numberText(7, 3), "  7");
    EXPECT_EQ(catalogue::numberText(12, 3), " 12");
    EXPECT_EQ(catalogue::numberText(1234, 3), "1234");
}

TEST(IndexBuilder, RebuildsACatalogueIndexInPlace)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    auto table = xbase::Table::open(dir.file("ARTISTS.DBF"), xbase::OpenMode::Exclusive);
    std::vector<std::string> texts;
    catalogue::buildIndexes(*table, [&](const std::string& t) { texts.push_back(t); });
    EXPECT_EQ(texts, std::vector<std::string>{"Creating Index File for: ARTISTS"});
    EXPECT_EQ(table->index()->tagCount(), 2u);
    EXPECT_EQ(xbase::CdxChecker::check(*table->index()), std::vector<std::string>{});
}

TEST(IndexBuilder, AlbumTagsOnACopyOfTheAlbumsStructure)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    xbase::Table::open(dir.file("ALBUMS.DBF"), xbase::OpenMode::Shared)->copyStructure(dir.file("temp.dbf"));
    auto temp = xbase::Table::open(dir.file("temp.dbf"), xbase::OpenMode::Exclusive);
    EXPECT_THROW(catalogue::buildIndexes(*temp, {}), xbase::XbaseError) << "not a catalogue table";
    catalogue::buildAlbumTags(*temp);
    ASSERT_NE(temp->index(), nullptr);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < temp->index()->tagCount(); ++i)
        names.push_back(temp->index()->tagAt(i).name());
    EXPECT_EQ(names, (std::vector<std::string>{"ARTIST", "ALBUM", "LABEL", "GENRE", "ID"}));
}

}  // namespace
