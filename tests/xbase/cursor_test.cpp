// Cursor semantics over real tables with real index tags.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/cursor.h"
#include "xbase/distinct_query.h"
#include "xbase/xbase_error.h"

namespace {

using test_support::TempDir;
using xbase::Cursor;
using xbase::OpenMode;
using xbase::Table;

class CursorTest : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        albums = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared);
        tracks = Table::open(dir.file("TRACKS.DBF"), OpenMode::Shared);
        artists = Table::open(dir.file("ARTISTS.DBF"), OpenMode::Shared);
    }
    static std::vector<std::uint32_t> walk(Cursor& c)
    {
        std::vector<std::uint32_t> out;
        for (bool ok = c.first(); ok; ok = c.next())
            out.push_back(c.recno());
        return out;
    }

    TempDir dir;
    std::shared_ptr<Table> albums, tracks, artists;
};

TEST_F(CursorTest, TagOrderMatchesTheReferenceWalkWithoutDeletedRows)
{
    Cursor c(albums);
    c.setOrder("artist");
    std::vector<std::uint32_t> want;
    for (const auto& row : test_support::tabRows(test_support::fixturePath("xbase/small/expected/ALBUMS.tag.ARTIST.live.txt")))
        want.push_back(static_cast<std::uint32_t>(std::stoul(row[0])));
    EXPECT_EQ(walk(c), want);
    EXPECT_EQ(c.count(), 14u);
    EXPECT_TRUE(c.eof());
    EXPECT_EQ(c.recno(), albums->recordCount() + 1);
    c.setShowDeleted(true);
    EXPECT_EQ(c.count(), 16u);
}

TEST_F(CursorTest, RecordOrderAndOrderChangeKeepsTheCurrentRecord)
{
    Cursor c(albums);
    EXPECT_EQ(walk(c).front(), 1u);
    ASSERT_TRUE(c.goToRecord(12));
    c.setOrder("ALBUM");
    EXPECT_EQ(c.recno(), 12u);
    EXPECT_EQ(c.fieldTrimmed("Album"), "Operation: Mindcrime");
    ASSERT_TRUE(c.next());
    EXPECT_GT(c.keyOf(albums->record(c.recno())), c.keyOf(albums->record(12)));
    c.setOrder("");
    EXPECT_EQ(c.recno(), c.recno());
    EXPECT_THROW(c.setOrder("nosuchtag"), xbase::XbaseError);
}

TEST_F(CursorTest, IdOrderPutsDiscIdsBeforeManualIds)
{
    Cursor c(albums);
    c.setOrder("ID");
    ASSERT_TRUE(c.seek("00a1b2c3"));
    std::vector<std::string> ids;
    for (bool ok = c.first(); ok; ok = c.next())
        ids.push_back(c.field("ID"));
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    auto hex = std::find(ids.begin(), ids.end(), "e1f2a3b4");
    auto manual = std::find(ids.begin(), ids.end(), "z0000001");
    ASSERT_NE(hex, ids.end());
    ASSERT_NE(manual, ids.end());
    EXPECT_LT(hex, manual);
    ASSERT_TRUE(c.last());
    EXPECT_EQ(c.field("ID"), "z0000004");  // the highest manual identifier is last
}

TEST_F(CursorTest, SeeksExactNearestAndByFieldValues)
{
    Cursor c(albums);
    c.setOrder("Artist");
    EXPECT_TRUE(c.seekNearest("P"));
    EXPECT_EQ(c.fieldTrimmed("Artist"), "Pink Floyd");
    EXPECT_FALSE(c.seekNearest("PZ"));
    EXPECT_EQ(c.fieldTrimmed("Artist"), "Queensr\xff" "che");
    EXPECT_FALSE(c.seek("PZ"));
    EXPECT_TRUE(c.eof());
    EXPECT_FALSE(c.seekNearest("\xff"));
    EXPECT_TRUE(c.eof());

    Cursor t(tracks);
    t.setOrder("Tracks");
    ASSERT_TRUE(t.seekValues({"7a0b3c0d", " 10"}));
    EXPECT_FALSE(t.seekValues({"7a0b3c0d", "10"}));  // blank-padded on the right: "10 "
    EXPECT_FALSE(t.seekValues({"7a0b3c0", "  1"}));  // "7a0b3c0 " + "  1" is no key
    EXPECT_FALSE(t.seekValues({"7a0b3c0d", " 99"}));
    ASSERT_TRUE(t.seekValues({"7a0b3c0d", "  2"}));
    EXPECT_EQ(t.field("NR"), "  2");
    ASSERT_TRUE(t.seek(std::string("7a0b3c0d")));
    EXPECT_EQ(t.field("NR"), "  1");  // "  9" sorts before " 10"
}

TEST_F(CursorTest, TwoCursorsSeeEachOthersWritesAndDeletes)
{
    Cursor a(albums), b(albums);
    a.setOrder("Album");
    b.setOrder("Artist");
    const std::uint32_t before = b.count();
    a.append();
    a.setField("Album", "Aaa First");
    a.setField("Artist", "Zz Last");
    a.setField("ID", "z0000005");
    a.post();
    EXPECT_EQ(a.fieldTrimmed("Album"), "Aaa First");
    EXPECT_EQ(b.count(), before + 1);
    ASSERT_TRUE(b.seek("ZZ LAST"));
    EXPECT_EQ(b.recno(), a.recno());

    b.edit();
    b.setField("Album", "Zzz Renamed");
    b.post();
    ASSERT_TRUE(a.last());
    EXPECT_EQ(a.fieldTrimmed("Album"), "Zzz Renamed");

    a.deleteRow();
    EXPECT_EQ(b.count(), before);
    EXPECT_TRUE(a.eof());
    EXPECT_FALSE(b.seek("ZZ LAST"));
}

TEST_F(CursorTest, FilterCountsOnlyPassingRowsAndFollowsWrites)
{
    Cursor c(albums);
    c.setOrder("Artist");
    c.setFilter("genre=\"rock\"");
    EXPECT_EQ(c.count(), 14u);  // set, not yet on
    c.setFiltered(true);
    EXPECT_EQ(c.count(), 4u);
    c.first();
    c.edit();
    c.setField("Genre", "pop");
    c.post();
    EXPECT_EQ(c.count(), 3u);
    c.setFiltered(false);
    EXPECT_EQ(c.count(), 14u);
    EXPECT_THROW(c.setFilter("genre = "), xbase::XbaseError);
    c.setFilter("contains(Notes,\"*reykjav*\")");
    c.setFiltered(true);
    ASSERT_EQ(c.count(), 1u);
    c.first();
    EXPECT_EQ(c.fieldTrimmed("Album"), "Homogenic");
}

TEST_F(CursorTest, DetailFollowsTheMasterAndAppendsCarryItsId)
{
    Cursor master(albums), detail(tracks);
    master.setOrder("ID");
    detail.setOrder("Tracks");
    detail.setMaster(&master, "ID");
    ASSERT_TRUE(master.seek("7a0b3c0d"));
    EXPECT_EQ(detail.count(), 10u);
    EXPECT_EQ(detail.field("NR"), "  1");
    ASSERT_TRUE(detail.last());
    EXPECT_EQ(detail.field("NR"), " 10");
    ASSERT_TRUE(master.seek("12345678"));
    const Cursor& shown = detail;  // read-only use finds the new rows too
    EXPECT_EQ(shown.field("ID"), "12345678");
    EXPECT_EQ(detail.count(), 4u);
    detail.append();
    detail.setField("NR", "101");
    detail.setField("Track", "Bonus");
    detail.post();
    EXPECT_EQ(detail.field("ID"), "12345678");
    EXPECT_EQ(detail.count(), 5u);
    ASSERT_TRUE(master.seek("deadbeef") == false);
    EXPECT_EQ(detail.count(), 0u);
    EXPECT_TRUE(detail.eof());
}

TEST_F(CursorTest, LookupFieldsReadAnotherCursorByKey)
{
    Cursor filter(albums), cd(tracks);
    filter.setOrder("ID");
    cd.setOrder("Tracks");
    cd.addLookup("album", 40, &filter, "ID", "Album");
    cd.addLookup("Artist", 40, &filter, "ID", "Artist");
    ASSERT_TRUE(cd.seek(std::string("00a1b2c3")));
    EXPECT_EQ(cd.field("ALBUM"), "Homogenic" + std::string(31, ' '));
    EXPECT_EQ(cd.fieldTrimmed("artist"), "Bj\xf6rk");
    EXPECT_EQ(filter.recno(), filter.recno());  // the source does not move
    EXPECT_EQ(filter.eof(), true);
}

TEST_F(CursorTest, RowNIsCheapAndConsistentWithNavigation)
{
    Cursor c(tracks);
    c.setOrder("TRACKS");
    std::vector<std::uint32_t> order = walk(c);
    ASSERT_EQ(order.size(), c.count());
    for (std::uint32_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(c.recnoAtRow(i), order[i]);
    ASSERT_TRUE(c.goToRow(5));
    EXPECT_EQ(c.row(), 5u);
    EXPECT_EQ(c.recno(), order[5]);
    EXPECT_FALSE(c.goToRow(static_cast<std::uint32_t>(order.size())));
    EXPECT_TRUE(c.eof());
}

TEST_F(CursorTest, DistinctArtistsInUpperCaseOrder)
{
    auto values = xbase::distinctValues(*artists, "artist", "upper(artist)");
    ASSERT_FALSE(values.empty());
    for (std::size_t i = 1; i < values.size(); ++i) {
        EXPECT_NE(values[i], values[i - 1]);
        std::string a = values[i - 1], b = values[i];
        for (auto* s : {&a, &b})
            for (char& ch : *s)
                if (ch >= 'a' && ch <= 'z')
                    ch = static_cast<char>(ch - 32);
        EXPECT_LE(a, b);
    }
}

// Record 8 rewritten on disk behind the index (as another program might):
// every tag of ALBUMS still files it under its old keys, while its fields
// now give blank keys that sort before its entries.
TEST_F(CursorTest, WalksEndAndVisitEachEntryOnceWhenTheIndexHoldsStaleKeys)
{
    constexpr std::uint32_t kStale = 8;
    std::uint64_t at = albums->headerLength() + std::uint64_t(kStale - 1) * albums->recordLength();
    std::string blanked(reinterpret_cast<const char*>(albums->record(kStale)), albums->recordLength());
    for (const char* name : {"Album", "Artist", "IX", "Genre", "ID", "Label"}) {
        const xbase::Field& f = albums->fields()[static_cast<std::size_t>(albums->fieldIndex(name))];
        blanked.replace(f.offset, f.length, f.length, ' ');
    }
    albums.reset();
    {
        std::fstream dbf(dir.file("ALBUMS.DBF"), std::ios::in | std::ios::out | std::ios::binary);
        dbf.seekp(static_cast<std::streamoff>(at));
        dbf.write(blanked.data(), static_cast<std::streamsize>(blanked.size()));
    }
    albums = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared);
    xbase::CdxIndex& index = *albums->index();

    for (std::size_t t = 0; t < index.tagCount(); ++t) {
        const xbase::CdxTag& tag = index.tagAt(t);
        std::vector<std::uint32_t> want;
        for (auto p = tag.first(); !p.atEnd(); p = tag.next(p))
            if (!albums->isDeleted(tag.recno(p)))
                want.push_back(tag.recno(p));
        SCOPED_TRACE(tag.name());

        Cursor lazy(albums);
        lazy.setOrder(tag.name());
        std::vector<std::uint32_t> walked;
        for (bool ok = lazy.first(); ok && walked.size() <= want.size(); ok = lazy.next())
            walked.push_back(lazy.recno());
        EXPECT_EQ(walked, want);

        Cursor listed(albums);
        listed.setOrder(tag.name());
        ASSERT_EQ(listed.count(), want.size());
        std::vector<std::uint32_t> backwards;
        for (bool ok = listed.last(); ok && backwards.size() <= want.size(); ok = listed.prior())
            backwards.insert(backwards.begin(), listed.recno());
        EXPECT_EQ(backwards, want);
        const auto stale = static_cast<std::uint32_t>(std::find(want.begin(), want.end(), kStale) - want.begin());
        for (Cursor* c : {&lazy, &listed}) {
            ASSERT_TRUE(c->goToRecord(kStale));
            EXPECT_EQ(c->row(), stale);
            ASSERT_TRUE(c->next());
            EXPECT_EQ(c->recno(), want[stale + 1]);
            EXPECT_EQ(c->row(), stale + 1);
        }
        // A write that leaves its keys alone leaves its entries where they are.
        ASSERT_TRUE(lazy.goToRecord(kStale));
        ASSERT_TRUE(listed.goToRecord(kStale));
        listed.edit();
        listed.setField("YR", std::to_string(1990 + t));
        listed.post();
        for (Cursor* c : {&lazy, &listed}) {
            EXPECT_EQ(c->row(), stale);
            EXPECT_EQ(c->count(), want.size());
            ASSERT_TRUE(c->next());
            EXPECT_EQ(c->recno(), want[stale + 1]);
        }
    }
    // The checker names the mismatch in every tag; the inspector's walk ends.
    std::size_t named = 0;
    for (const std::string& problem : xbase::CdxChecker::check(index))
        named += problem.find("record 8 has the key") != std::string::npos;
    EXPECT_EQ(named, index.tagCount());
    std::string out = test_support::runCapture("timeout 10 " VINORA_DBF_TOOL " order " + dir.file("ALBUMS.DBF") +
                                               " ARTIST | head -n 100");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 14);
}

}  // namespace
