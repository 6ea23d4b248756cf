// Tables we write read back as written, through reopening and memo rewrites.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/memo_file.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::OpenMode;
using xbase::Table;

const char kAlbums[] =
    "Album,Char,50;Artist,Char,50;IX,Char,6;Genre,Char,10;YR,Char,4;ID,Char,8;Label,Char,55;"
    "Media,Char,2;Rev,Char,1;Sys,Char,1;Notes,Memo;";

class RoundTrip : public testing::Test {
protected:
    std::shared_ptr<Table> openAlbums(OpenMode mode = OpenMode::Shared)
    {
        return Table::open(dir.file("ALBUMS.DBF"), mode);
    }
    std::uint32_t appendAlbum(Table& t, const std::string& album, const std::string& notes = "")
    {
        auto rec = t.blankRecord();
        t.setFieldText(rec.data(), t.fieldIndex("Album"), album);
        t.setFieldText(rec.data(), t.fieldIndex("Notes"), notes);
        return t.append(rec.data());
    }
    std::string field(Table& t, std::uint32_t recno, const char* name)
    {
        return t.fieldText(t.record(recno), t.fieldIndex(name));
    }
    void SetUp() override { Table::create(dir.file("ALBUMS.DBF"), xbase::parseCreationList(kAlbums)); }

    test_support::TempDir dir;
};

TEST_F(RoundTrip, NewTableHasTheFoxProLayout)
{
    auto bytes = test_support::readFile(dir.file("ALBUMS.DBF"));
    ASSERT_EQ(bytes.size(), 387u);  // header 32 + 11 * 32 + 2, then the end-of-file marker
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xF5);
    EXPECT_EQ(static_cast<unsigned char>(bytes[384]), 0x0D);
    EXPECT_EQ(static_cast<unsigned char>(bytes[386]), 0x1A);
    EXPECT_EQ(bytes.substr(32, 6), std::string("ALBUM\0", 6));
    auto fpt = test_support::readFile(dir.file("ALBUMS.FPT"));
    ASSERT_EQ(fpt.size(), 512u);
    EXPECT_EQ(fpt.substr(0, 8), std::string("\0\0\0\x08\0\0\0\x40", 8));

    Table::create(dir.file("TRACKS.DBF"), xbase::parseCreationList("ID,Char,8;NR,Char,3;Track,Char,73;Secs,Char,4;"));
    EXPECT_EQ(static_cast<unsigned char>(test_support::readFile(dir.file("TRACKS.DBF"))[0]), 0x03);
}

TEST_F(RoundTrip, AppendEditDeleteSurviveReopen)
{
    {
        auto t = openAlbums();
        EXPECT_EQ(appendAlbum(*t, "One", "first memo"), 1u);
        EXPECT_EQ(appendAlbum(*t, "Two"), 2u);
        EXPECT_EQ(appendAlbum(*t, "Three"), 3u);
        auto rec = std::vector<std::uint8_t>(t->record(2), t->record(2) + t->recordLength());
        t->setFieldText(rec.data(), t->fieldIndex("ARTIST"), "Bj\xf6rk \x80 \xff");
        t->write(2, rec.data());
        t->setDeleted(3, true);
    }
    auto t = openAlbums();
    ASSERT_EQ(t->recordCount(), 3u);
    EXPECT_EQ(field(*t, 1, "Notes"), "first memo");
    EXPECT_EQ(field(*t, 2, "artist").substr(0, 9), "Bj\xf6rk \x80 \xff");
    EXPECT_EQ(field(*t, 2, "Notes"), "");
    EXPECT_FALSE(t->isDeleted(2));
    EXPECT_TRUE(t->isDeleted(3));
    auto bytes = test_support::readFile(dir.file("ALBUMS.DBF"));
    EXPECT_EQ(bytes.size(), 386u + 3 * 198 + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes.back()), 0x1A);
    EXPECT_EQ(bytes[4], 3);  // record count in the header
}

TEST_F(RoundTrip, ValuesAreCutAtTheirWidthAndBlankPadded)
{
    auto t = openAlbums();
    auto rec = t->blankRecord();
    t->setFieldText(rec.data(), t->fieldIndex("YR"), "199712");
    t->setFieldText(rec.data(), t->fieldIndex("Genre"), "pop");
    t->append(rec.data());
    EXPECT_EQ(field(*t, 1, "YR"), "1997");
    EXPECT_EQ(field(*t, 1, "Genre"), "pop       ");
}

TEST_F(RoundTrip, ChangedMemosMoveToFreshBlocksAndEmptyTakesNoBlock)
{
    auto t = openAlbums();
    const int notes = t->fieldIndex("Notes");
    xbase::MemoFile& memo = *t->memoFile();
    std::uint32_t r = appendAlbum(*t, "A", std::string(56, 'x'));  // exactly one 64-byte block
    EXPECT_EQ(memo.nextFreeBlock(), 9u);
    std::uint32_t s = appendAlbum(*t, "B", std::string(57, 'y'));  // spills into a second block
    EXPECT_EQ(memo.nextFreeBlock(), 11u);

    // Changed text never overwrites the text the stored record points to,
    // even when it would fit; unchanged text keeps its block.
    auto rec = std::vector<std::uint8_t>(t->record(r), t->record(r) + t->recordLength());
    t->setFieldText(rec.data(), notes, "short");
    EXPECT_EQ(memo.nextFreeBlock(), 12u);
    EXPECT_EQ(field(*t, r, "Notes"), std::string(56, 'x'));
    t->write(r, rec.data());
    t->setFieldText(rec.data(), notes, "short");
    EXPECT_EQ(memo.nextFreeBlock(), 12u);
    t->setFieldText(rec.data(), notes, std::string(200, 'z'));
    t->write(r, rec.data());
    EXPECT_EQ(memo.nextFreeBlock(), 12u + 4);
    t->setFieldText(rec.data(), notes, "");
    t->write(r, rec.data());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(t->record(r) + t->fields()[notes].offset), 10),
              std::string(10, ' '));
    EXPECT_EQ(field(*t, s, "Notes"), std::string(57, 'y'));

    std::string binary;
    for (int c = 0; c < 256; ++c)
        binary += static_cast<char>(c);
    rec.assign(t->record(s), t->record(s) + t->recordLength());
    t->setFieldText(rec.data(), notes, binary + "\r\n" + binary);
    t->write(s, rec.data());
    t.reset();
    auto again = openAlbums();
    EXPECT_EQ(field(*again, s, "Notes"), binary + "\r\n" + binary);
    EXPECT_EQ(field(*again, r, "Notes"), "");
}

TEST_F(RoundTrip, OpensInOneProcessShareOneTable)
{
    auto a = openAlbums();
    auto b = openAlbums();
    EXPECT_EQ(a.get(), b.get());
    appendAlbum(*a, "Seen by both");
    EXPECT_EQ(b->recordCount(), 1u);
    EXPECT_THROW(openAlbums(OpenMode::Exclusive), xbase::XbaseError);
    a.reset();
    b.reset();
    auto ex = openAlbums(OpenMode::Exclusive);
    EXPECT_THROW(openAlbums(OpenMode::Shared), xbase::XbaseError);
}

TEST_F(RoundTrip, ListenersSeeOldAndNewRecords)
{
    struct Recorder : xbase::TableListener {
        std::vector<std::pair<std::uint32_t, bool>> calls;
        void recordChanged(std::uint32_t recno, const std::uint8_t* oldRec, const std::uint8_t*) override
        {
            calls.emplace_back(recno, oldRec != nullptr);
        }
    } recorder;
    auto t = openAlbums();
    t->addListener(&recorder);
    appendAlbum(*t, "x");
    t->setDeleted(1, true);
    t->setDeleted(1, true);  // no change, no call
    t->removeListener(&recorder);
    appendAlbum(*t, "y");
    EXPECT_EQ(recorder.calls, (std::vector<std::pair<std::uint32_t, bool>>{{1, false}, {1, true}}));
}

TEST_F(RoundTrip, WholeTablePassSeesEveryRecordOnceInOrderAndFailsOnACutFile)
{
    // Several segments and read runs; one segment held in memory after a write.
    {
        auto t = openAlbums();
        for (int i = 1; i <= 9000; ++i)
            appendAlbum(*t, std::to_string(i));
    }
    auto t = openAlbums();
    const int album = t->fieldIndex("Album");
    auto rec = std::vector<std::uint8_t>(t->record(5000), t->record(5000) + t->recordLength());
    t->setFieldText(rec.data(), album, "changed");
    t->write(5000, rec.data());
    std::uint32_t next = 1;
    t->forEachRecord([&](std::uint32_t recno, const std::uint8_t* record) {
        ASSERT_EQ(recno, next++);
        const std::string want = recno == 5000 ? "changed" : std::to_string(recno);
        EXPECT_EQ(t->fieldText(record, album).substr(0, want.size() + 1), want + " ") << recno;
    });
    EXPECT_EQ(next, 9001u);

    std::filesystem::resize_file(dir.file("ALBUMS.DBF"), 386 + 100 * 198);
    EXPECT_THROW(t->forEachRecord([](std::uint32_t, const std::uint8_t*) {}), xbase::XbaseError);
}

TEST(ForeignTable, NumericDateLogicalAndIntegerShowAsText)
{
    test_support::TempDir dir;
    // Hand-made dBASE table: N(6,2), D, L, I(4).
    std::string h(32 + 4 * 32 + 1, '\0');
    h[0] = 0x03;
    h[4] = 1;
    h[8] = static_cast<char>(h.size());
    h[10] = 1 + 6 + 8 + 1 + 4;
    auto desc = [&](int i, const char* name, char type, int len, int dec) {
        std::copy(name, name + std::strlen(name), h.begin() + 32 + 32 * i);
        h[32 + 32 * i + 11] = type;
        h[32 + 32 * i + 16] = static_cast<char>(len);
        h[32 + 32 * i + 17] = static_cast<char>(dec);
    };
    desc(0, "PRICE", 'N', 6, 2);
    desc(1, "BOUGHT", 'D', 8, 0);
    desc(2, "OWNED", 'L', 1, 0);
    desc(3, "COUNT", 'I', 4, 0);
    h[32 + 4 * 32] = 0x0D;
    std::string rec = std::string(" ") + "  9.95" + "19991231" + "T" + std::string("\xfe\xff\xff\xff", 4);
    {
        std::ofstream out(dir.file("FOREIGN.DBF"), std::ios::binary);
        out << h << rec << '\x1a';
    }
    auto t = Table::open(dir.file("FOREIGN.DBF"), OpenMode::Shared);
    EXPECT_EQ(t->fieldText(t->record(1), 0), "9.95");
    EXPECT_EQ(t->fieldText(t->record(1), 1), "19991231");
    EXPECT_EQ(t->fieldText(t->record(1), 2), "T");
    EXPECT_EQ(t->fieldText(t->record(1), 3), "-2");
}

}  // namespace
