// Pack removes deleted records, compacts memos and rebuilds tags; a pack
// that fails part-way leaves the table as it was, or finishes at next open.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/faulty_file_system.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_index.h"
#include "xbase/cursor.h"
#include "xbase/memo_file.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::Cursor;
using xbase::OpenMode;
using xbase::Table;

// Album titles with their memos, live records in record order.
std::vector<std::pair<std::string, std::string>> liveAlbums(Table& t)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (std::uint32_t r = 1; r <= t.recordCount(); ++r)
        if (!t.isDeleted(r))
            out.emplace_back(t.fieldText(t.record(r), 0), t.memoText(t.record(r), t.fieldIndex("Notes")));
    return out;
}

std::vector<std::string> artistOrder(const std::shared_ptr<Table>& t)
{
    Cursor c(t);
    c.setOrder("Artist");
    std::vector<std::string> out;
    for (bool ok = c.first(); ok; ok = c.next())
        out.push_back(c.field("Album"));
    return out;
}

TEST(Pack, RemovesDeletedRecordsCompactsMemosAndRebuildsTags)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    auto t = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Exclusive);
    const auto before = liveAlbums(*t);
    const auto orderBefore = artistOrder(t);
    {
        Cursor c(t);
        c.setOrder("Album");
        c.last();
        t->pack();
        EXPECT_EQ(c.count(), 14u);  // cursors start again from the first row
        EXPECT_FALSE(c.eof());
    }
    EXPECT_EQ(t->recordCount(), 14u);
    EXPECT_EQ(liveAlbums(*t), before);
    EXPECT_EQ(artistOrder(t), orderBefore);
    EXPECT_EQ(t->index()->tagCount(), 5u);
    // Rewritten memos left unused blocks; the packed file has none.
    EXPECT_LT(t->memoFile()->nextFreeBlock(), 124u);
    t.reset();
    auto again = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared);
    EXPECT_EQ(liveAlbums(*again), before);
    EXPECT_EQ(artistOrder(again), orderBefore);
    EXPECT_FALSE(test_support::runCapture("ls " + dir.path()).find("~P") != std::string::npos);
}

// A memo file cut short must not keep the table from packing for good.
TEST(Pack, MemosPastTheEndOfACutMemoFileAreLeftEmptyAndTheOldFileKept)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    std::filesystem::resize_file(dir.file("ALBUMS.FPT"), 1000);
    const std::string cut = test_support::readFile(dir.file("ALBUMS.FPT"));
    auto t = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Exclusive);
    std::uint32_t live = 0, readable = 0;
    for (std::uint32_t r = 1; r <= t->recordCount(); ++r) {
        if (t->isDeleted(r))
            continue;
        ++live;
        try {
            readable += !t->memoText(t->record(r), t->fieldIndex("Notes")).empty();
        } catch (const xbase::XbaseError&) {
        }
    }

    const Table::PackLosses losses = t->pack();
    ASSERT_EQ(t->recordCount(), live) << "every live row stays";
    EXPECT_GT(losses.rowsWithLostMemos, 0u);
    EXPECT_EQ(test_support::readFile(losses.keptMemoFile), cut);
    std::uint32_t kept = 0;
    for (const auto& [album, notes] : liveAlbums(*t))
        kept += !notes.empty();
    EXPECT_EQ(kept, readable);
}

TEST(CopyStructure, MakesAnEmptyTableWithTheSameFieldsAndNoTags)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    auto albums = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared);
    albums->copyStructure(dir.file("temp.dbf"));
    auto copy = Table::open(dir.file("temp.dbf"), OpenMode::Exclusive);
    EXPECT_EQ(copy->recordCount(), 0u);
    EXPECT_EQ(copy->recordLength(), albums->recordLength());
    ASSERT_EQ(copy->fields().size(), albums->fields().size());
    for (std::size_t i = 0; i < copy->fields().size(); ++i) {
        EXPECT_EQ(copy->fields()[i].name, albums->fields()[i].name);
        EXPECT_EQ(copy->fields()[i].length, albums->fields()[i].length);
        EXPECT_EQ(copy->fields()[i].offset, albums->fields()[i].offset);
    }
    EXPECT_TRUE(copy->hasMemo());
    EXPECT_EQ(copy->index(), nullptr);
}

TEST(Pack, NeedsExclusiveUse)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    auto t = Table::open(dir.file("TRACKS.DBF"), OpenMode::Shared);
    EXPECT_THROW(t->pack(), xbase::XbaseError);
}

TEST(Pack, FailureAtAnyPointLeavesOldOrNewTableWhole)
{
    test_support::TempDir dir;
    test_support::FaultyFileSystem fs;
    test_support::copyFixtureSet("xbase/small", dir.path());
    std::vector<std::pair<std::string, std::string>> before;
    std::vector<std::string> order;
    {
        auto t = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Exclusive, fs);
        before = liveAlbums(*t);
        order = artistOrder(t);
    }
    const std::uint64_t start = fs.written();
    {
        auto t = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Exclusive, fs);
        t->pack();
    }
    const std::uint64_t whole = fs.written() - start;
    for (std::uint64_t budget = 0; budget <= whole; budget += whole / 37 + 1) {
        test_support::copyFixtureSet("xbase/small", dir.path());
        try {
            auto t = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Exclusive, fs);
            fs.failAfter(budget);
            t->pack();
        } catch (const xbase::XbaseError&) {
        }
        fs.heal();
        auto t = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared, fs);
        EXPECT_TRUE(t->recordCount() == 16u || t->recordCount() == 14u) << budget;
        EXPECT_EQ(liveAlbums(*t), before) << budget;
        EXPECT_EQ(artistOrder(t), order) << budget;
    }
}

}  // namespace
