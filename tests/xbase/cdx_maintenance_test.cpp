// Tags stay sound and in order through appends, edits and deletions made
// entry by entry: pages split and merge, the tree grows and shrinks by
// levels, and freed pages are used again before the file grows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "support/faulty_file_system.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/byte_order.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_cursor.h"
#include "xbase/cdx_index.h"
#include "xbase/expression.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using namespace xbase;
using Entries = std::vector<std::pair<std::uint32_t, std::string>>;

Entries walk(const CdxTag& tag)
{
    CdxCursor cursor(tag);
    Entries out;
    for (bool ok = cursor.first(); ok; ok = cursor.next())
        out.emplace_back(cursor.recno(), cursor.key());
    return out;
}

// What the tag must hold, worked out from the records alone.
Entries model(Table& table, const CdxTag& tag)
{
    Expression key = Expression::compile(tag.expression(), table);
    std::optional<Expression> filter;
    if (!tag.forExpression().empty())
        filter.emplace(Expression::compile(tag.forExpression(), table));
    Entries out;
    std::string k;
    for (std::uint32_t r = 1; r <= table.recordCount(); ++r) {
        if (filter && !filter->test(table.record(r)))
            continue;
        key.evaluateKey(table.record(r), k);
        out.emplace_back(r, k);
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    return out;
}

int levels(const CdxTag& tag)
{
    int n = 1;
    for (const CdxPage* p = &tag.page(tag.root()); !p->leaf; p = &tag.page(p->children.front()))
        ++n;
    return n;
}

class CdxMaintenance : public testing::Test {
protected:
    void SetUp() override
    {
        Table::create(path(), {{"NAME", 'C', 60}, {"CODE", 'C', 8}, {"NOTE", 'C', 10}});
        table = Table::open(path(), OpenMode::Exclusive);
        CdxIndex& index = table->createIndex();
        index.createTag("NAME", "upper(NAME)+CODE");
        index.createTag("CODE", "CODE");
        index.createTag("PENDING", "upper(NAME)", "empty(NOTE)");
        name = table->fieldIndex("NAME");
        code = table->fieldIndex("CODE");
        note = table->fieldIndex("NOTE");
    }
    std::string path() const { return dir.file("ITEMS.DBF"); }

    // Names with long shared prefixes, duplicates, blanks and bytes above 0x7F.
    std::string randomName()
    {
        static const char* const stems[] = {"", "abba", "Abbey Road", "The Beatles", "\xc9" "dith Piaf",
                                            "Bj\xf6rk", "Queensr\xff" "che", "Various Artists / Singer", "zz top"};
        std::string s = stems[rng() % std::size(stems)];
        for (int n = int(rng() % 30); n > 0; --n)
            s += char('a' + rng() % 26);
        return s;
    }
    std::string randomCode() { return std::to_string(10000000 + rng() % 90000000); }

    void set(std::uint32_t recno, int field, const std::string& text)
    {
        std::vector<std::uint8_t> rec(table->record(recno), table->record(recno) + table->recordLength());
        table->setFieldText(rec.data(), field, text);
        table->write(recno, rec.data());
    }
    void append(const std::string& n, const std::string& c, const std::string& o = "")
    {
        std::vector<std::uint8_t> rec = table->blankRecord();
        table->setFieldText(rec.data(), name, n);
        table->setFieldText(rec.data(), code, c);
        table->setFieldText(rec.data(), note, o);
        table->append(rec.data());
    }
    void expectSound()
    {
        CdxIndex& index = *table->index();
        EXPECT_EQ(CdxChecker::check(index), std::vector<std::string>());
        for (std::size_t i = 0; i < index.tagCount(); ++i)
            EXPECT_EQ(walk(index.tagAt(i)), model(*table, index.tagAt(i))) << index.tagAt(i).name();
    }
    std::uint64_t indexSize() const { return std::filesystem::file_size(dir.file("ITEMS.CDX")); }

    test_support::TempDir dir;
    std::mt19937 rng{20240601};
    std::shared_ptr<Table> table;
    int name = 0, code = 0, note = 0;
};

TEST_F(CdxMaintenance, ThousandsOfRandomChangesKeepEveryTagSoundAndOrdered)
{
    for (int op = 1; op <= 6000; ++op) {
        const std::uint32_t count = table->recordCount();
        const unsigned kind = rng() % 20;
        if (count < 50 || kind < 9) {
            append(randomName(), randomCode(), rng() % 3 ? "" : "x");
        } else {
            const std::uint32_t recno = 1 + rng() % count;
            if (kind < 13)
                set(recno, name, randomName());
            else if (kind < 15)
                set(recno, code, randomCode());
            else if (kind < 17)
                set(recno, note, rng() % 2 ? "" : "done");
            else
                table->setDeleted(recno, !table->isDeleted(recno));
        }
        if (op % 1500 == 0)
            expectSound();
    }
    EXPECT_GE(levels(*table->index()->tag("NAME")), 4);
    const Entries before = walk(*table->index()->tag("NAME"));
    table.reset();
    table = Table::open(path(), OpenMode::Exclusive);
    EXPECT_EQ(walk(*table->index()->tag("NAME")), before);
    expectSound();
}

TEST_F(CdxMaintenance, EmptiedTagShrinksToOneLeafAndRefillingUsesFreedPagesFirst)
{
    for (int i = 0; i < 2500; ++i)
        append(randomName(), randomCode());
    const CdxTag& pending = *table->index()->tag("PENDING");
    ASSERT_GE(levels(pending), 3);

    std::vector<std::uint32_t> order(table->recordCount());
    std::iota(order.begin(), order.end(), 1u);
    std::shuffle(order.begin(), order.end(), rng);
    for (std::size_t i = 0; i < order.size(); ++i) {
        set(order[i], note, "done");
        if (i == order.size() / 2)
            expectSound();
    }
    EXPECT_TRUE(walk(pending).empty());
    EXPECT_EQ(levels(pending), 1);
    expectSound();
    const std::size_t freed = table->index()->store().freePages().size();
    EXPECT_GT(freed, 20u);

    const std::uint64_t size = indexSize();
    std::shuffle(order.begin(), order.end(), rng);
    for (std::uint32_t recno : order) {
        set(recno, note, "");
        if (!table->index()->store().freePages().empty()) {
            ASSERT_EQ(indexSize(), size) << "the file grew while pages were free";
        }
    }
    EXPECT_GE(levels(pending), 3);
    expectSound();
}

TEST_F(CdxMaintenance, CursorKeepsItsPlaceWhileTheTagChanges)
{
    for (int i = 0; i < 300; ++i)
        append("m" + std::to_string(1000 + i), randomCode());
    CdxCursor cursor(*table->index()->tag("NAME"));
    ASSERT_TRUE(cursor.seek("M1150", false));
    // Entries before and after it come and go, splitting its page.
    for (int i = 0; i < 200; ++i)
        append("m1150" + std::string(1, char('a' + i % 26)) + std::to_string(i), randomCode());
    for (std::uint32_t r = 140; r < 150; ++r)
        set(r, name, "zzz");
    ASSERT_FALSE(cursor.eof());
    EXPECT_EQ(cursor.recno(), 151u);
    ASSERT_TRUE(cursor.next());
    EXPECT_EQ(cursor.key().substr(0, 6), "M1150A");
    // Its own entry goes: the next step lands on the entry that followed it.
    ASSERT_TRUE(cursor.prev());
    const std::uint32_t gone = cursor.recno();
    ASSERT_TRUE(cursor.next());
    const std::string following = cursor.key();
    ASSERT_TRUE(cursor.prev());
    set(gone, name, "zzzz");
    ASSERT_TRUE(cursor.next());
    EXPECT_EQ(cursor.key(), following);
}

TEST_F(CdxMaintenance, AFailedWriteLeavesAnErrorNotACrashAndRebuildingRepairs)
{
    for (int i = 0; i < 500; ++i)
        append(randomName(), randomCode());
    table.reset();
    test_support::FaultyFileSystem fs;
    table = Table::open(path(), OpenMode::Exclusive, fs);
    bool failed = false;
    fs.failAfter(20000);
    try {
        for (int i = 0; i < 2000; ++i)
            append(randomName(), randomCode());
    } catch (const XbaseError&) {
        failed = true;
    }
    ASSERT_TRUE(failed);
    fs.heal();
    CdxChecker::check(*table->index());
    // The failed change left the index marked: the next open rebuilds it.
    table.reset();
    table = Table::open(path(), OpenMode::Exclusive, fs);
    append(randomName(), randomCode());
    expectSound();
}

// Another engine may state less free space in a leaf than the leaf has. The
// page is sound: the checker only notes it, and edits that reach it write
// it back exactly, losing no entry.
TEST(CdxLeafSlack, IsNotedNotReportedAndEditsRewriteThePageExactly)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/medium", dir.path());
    const std::string dbf = dir.file("ALBUMS.DBF");
    std::uint32_t leaf = 0;
    std::vector<std::uint32_t> firstRows;
    std::uint8_t free[2];
    {
        auto table = Table::open(dbf, OpenMode::Shared);
        const CdxTag& tag = *table->index()->tag("ARTIST");
        leaf = tag.first().page;
        for (std::size_t i = 0; i < 3; ++i)
            firstRows.push_back(tag.page(leaf).recnos[i]);
        table->index()->store().read(leaf + cdx::kLeafFreeOffset, free, sizeof free);
    }
    ASSERT_GE(readLe16(free), 2);
    writeLe16(free, std::uint16_t(readLe16(free) / 2));
    {
        std::fstream cdx(dir.file("ALBUMS.CDX"), std::ios::in | std::ios::out | std::ios::binary);
        cdx.seekp(leaf + cdx::kLeafFreeOffset);
        cdx.write(reinterpret_cast<const char*>(free), sizeof free);
    }

    auto table = Table::open(dbf, OpenMode::Shared);
    CdxChecker::Findings found = CdxChecker::inspect(*table->index());
    EXPECT_EQ(found.problems, std::vector<std::string>());
    ASSERT_EQ(found.notes.size(), 1u);
    EXPECT_NE(found.notes[0].find("tag ARTIST: page " + cdxHex(leaf)), std::string::npos) << found.notes[0];

    // Its first rows leave the page and new ones come in ahead of the rest,
    // enough to split it.
    const int artist = table->fieldIndex("Artist");
    for (std::uint32_t recno : firstRows) {
        std::vector<std::uint8_t> rec(table->record(recno), table->record(recno) + table->recordLength());
        table->setFieldText(rec.data(), artist, "zzz moved");
        table->write(recno, rec.data());
    }
    for (int i = 0; i < 40; ++i) {
        std::vector<std::uint8_t> rec = table->blankRecord();
        table->setFieldText(rec.data(), artist, "  aaa " + std::to_string(i));
        table->append(rec.data());
    }
    found = CdxChecker::inspect(*table->index());
    EXPECT_EQ(found.problems, std::vector<std::string>());
    EXPECT_EQ(found.notes, std::vector<std::string>());
    const CdxTag& tag = *table->index()->tag("ARTIST");
    EXPECT_EQ(walk(tag), model(*table, tag));
}

}  // namespace
