// A damaged index gives XbaseError (or a checker report), never a crash,
// a hang or a read outside the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/byte_order.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_cursor.h"
#include "xbase/cdx_index.h"
#include "xbase/posix_file_system.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using namespace xbase;

class CdxDamage : public testing::Test {
protected:
    void use(const std::string& set, const std::string& table)
    {
        test_support::copyFixtureSet("xbase/" + set, dir.path());
        name = table;
    }
    std::string dbf() const { return dir.file(name + ".DBF"); }
    std::string cdx() const { return dir.file(name + ".CDX"); }
    std::shared_ptr<Table> open() const { return Table::open(dbf(), OpenMode::Shared); }

    void patch(std::uint32_t offset, const std::vector<std::uint8_t>& bytes) const
    {
        std::fstream f(cdx(), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(offset);
        f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void patchLe32(std::uint32_t offset, std::uint32_t value) const
    {
        std::vector<std::uint8_t> b(4);
        writeLe32(b.data(), value);
        patch(offset, b);
    }

    // Opens the table and reads every tag both ways and seeks in it.
    void readEverything() const
    {
        auto table = open();
        CdxIndex& index = *table->index();
        for (std::size_t i = 0; i < index.tagCount(); ++i) {
            CdxCursor cursor(index.tagAt(i), [&](std::uint32_t r) { return table->isDeleted(r); });
            for (bool ok = cursor.first(); ok; ok = cursor.next()) {
            }
            for (bool ok = cursor.last(); ok; ok = cursor.prev()) {
            }
            cursor.seek("M", true);
        }
    }
    std::vector<std::string> check() const { return CdxChecker::check(*open()->index()); }
    std::vector<std::string> checkHeader() const
    {
        PosixFileSystem fs;
        return CdxChecker::checkHeader(fs, cdx());
    }

    // Page offsets of a tag read from the intact file: root, first leaf.
    std::pair<std::uint32_t, std::uint32_t> rootAndFirstLeaf(const std::string& tag) const
    {
        auto table = open();
        const CdxTag& t = *table->index()->tag(tag);
        return {t.root(), t.first().page};
    }

    test_support::TempDir dir;
    std::string name;
};

TEST_F(CdxDamage, CutShortFilesAreRefused)
{
    use("small", "ALBUMS");
    const auto size = std::filesystem::file_size(cdx());
    for (std::uintmax_t cut : {std::uintmax_t(0), std::uintmax_t(700), std::uintmax_t(1200), size / 2, size - 1}) {
        std::filesystem::resize_file(cdx(), cut);
        EXPECT_THROW(readEverything(), XbaseError) << cut;
        EXPECT_FALSE(checkHeader().empty() && cut < 0x600) << cut;
    }
}

TEST_F(CdxDamage, RootOutsideTheFileIsReported)
{
    use("small", "ALBUMS");
    const std::uint32_t header = open()->index()->tag("ALBUM")->headerOffset();
    for (std::uint32_t root : {0x7FFFFE00u, 0x1001u, 0x200u}) {
        patchLe32(header + cdx::kRootOffset, root);
        EXPECT_THROW(readEverything(), XbaseError) << root;
        EXPECT_FALSE(check().empty()) << root;
        EXPECT_FALSE(checkHeader().empty()) << root;
    }
}

TEST_F(CdxDamage, SiblingLoopsEndInAnErrorNotAHang)
{
    use("medium", "TRACKS");
    const auto [root, leaf] = rootAndFirstLeaf("TRACKS");
    const std::uint32_t second = open()->index()->tag("TRACKS")->page(leaf).right;
    patchLe32(second + cdx::kRightOffset, leaf);
    EXPECT_THROW(readEverything(), XbaseError);
    EXPECT_FALSE(check().empty());

    use("medium", "TRACKS");
    patchLe32(leaf + cdx::kRightOffset, leaf);
    EXPECT_THROW(readEverything(), XbaseError);

    use("medium", "TRACKS");
    patchLe32(second + cdx::kLeftOffset, second);
    EXPECT_THROW(readEverything(), XbaseError);
}

TEST_F(CdxDamage, ChildLinksBackToTheRootEndInAnError)
{
    use("medium", "TRACKS");
    const auto [root, leaf] = rootAndFirstLeaf("TRACKS");
    // The root's first child (key 11, recno and child 4 bytes each).
    patch(root + cdx::kInteriorHeaderSize + 11 + 4, {std::uint8_t(root >> 24), std::uint8_t(root >> 16),
                                                      std::uint8_t(root >> 8), std::uint8_t(root)});
    EXPECT_THROW(readEverything(), XbaseError);
    EXPECT_FALSE(check().empty());
}

TEST_F(CdxDamage, BadBitCountsAreRefused)
{
    use("medium", "ARTISTS");
    const auto [root, leaf] = rootAndFirstLeaf("ARTIST");
    patch(leaf + cdx::kLeafRecnoBitsOffset, {33});
    EXPECT_THROW(readEverything(), XbaseError);
    EXPECT_FALSE(check().empty());
}

TEST_F(CdxDamage, LeafClaimingMoreFreeSpaceThanItHasIsAProblem)
{
    use("medium", "ARTISTS");
    const auto [root, leaf] = rootAndFirstLeaf("ARTIST");
    std::uint8_t free[2];
    open()->index()->store().read(leaf + cdx::kLeafFreeOffset, free, sizeof free);
    writeLe16(free, std::uint16_t(readLe16(free) + 1));
    patch(leaf + cdx::kLeafFreeOffset, {free[0], free[1]});
    const std::vector<std::string> problems = check();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("page " + cdxHex(leaf) + " says"), std::string::npos) << problems[0];
}

TEST_F(CdxDamage, TagHeaderOutsideTheFileRefusesTheIndex)
{
    use("small", "TRACKS");
    // The only directory entry: a 3-byte word of recno 16 bits, dup, trail.
    patch(0x400 + cdx::kLeafHeaderSize, {0x00, 0xF0});
    EXPECT_THROW(open(), XbaseError);
    EXPECT_FALSE(checkHeader().empty());
}

TEST_F(CdxDamage, FreeListLoopIsReportedAndNotFollowedForever)
{
    use("small", "TRACKS");
    const auto size = std::uint32_t(std::filesystem::file_size(cdx()));
    std::vector<std::uint8_t> pages(2 * cdx::kPageSize);
    writeLe32(pages.data(), size + cdx::kPageSize);
    writeLe32(pages.data() + cdx::kPageSize, size);
    patch(size, pages);
    patchLe32(cdx::kFreeListOffset, size);
    EXPECT_FALSE(check().empty());
    auto table = open();
    std::vector<std::uint8_t> rec = table->blankRecord();
    bool failed = false;
    try {
        for (int i = 0; i < 100; ++i)  // enough entries to need a new page
            table->append(rec.data());
    } catch (const XbaseError&) {
        failed = true;
    }
    EXPECT_TRUE(failed);
}

TEST_F(CdxDamage, RandomlyDamagedFilesNeverCrash)
{
    std::mt19937 rng(7);
    for (const char* set : {"small", "medium"}) {
        use(set, "ALBUMS");
        const std::string intact = test_support::readFile(cdx());
        for (int round = 0; round < 150; ++round) {
            std::string bytes = intact;
            for (int n = 1 + int(rng() % 8); n > 0; --n) {
                // Mostly hit the pages a reader visits first.
                std::size_t at = rng() % 2 ? rng() % 0x2400 : rng() % bytes.size();
                bytes[at] = char(rng() % 2 ? rng() : bytes[at] ^ (1 << (rng() % 8)));
            }
            std::ofstream(cdx(), std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
            try {
                readEverything();
                check();
                auto table = open();
                std::vector<std::uint8_t> rec(table->record(1), table->record(1) + table->recordLength());
                rec[1] = 'Q';
                table->write(1, rec.data());
                table->append(rec.data());
            } catch (const XbaseError&) {
            }
            checkHeader();
        }
    }
}

}  // namespace
