// Tags we build from the reference tables come out in the reference order,
// with headers laid out as the independent engine lays them out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "support/expected_index.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_cursor.h"
#include "xbase/cdx_index.h"
#include "xbase/cdx_tree_builder.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using namespace xbase;
using test_support::fixturePath;
using test_support::TempDir;

using Entries = std::vector<std::pair<std::uint32_t, std::string>>;

Entries walk(const CdxTag& tag, CdxCursor::Hidden hidden = {})
{
    CdxCursor cursor(tag, std::move(hidden));
    Entries out;
    for (bool ok = cursor.first(); ok; ok = cursor.next())
        out.emplace_back(cursor.recno(), test_support::trimmedKey(cursor.key()));
    return out;
}

using test_support::TableCase;

class CdxBuild : public testing::TestWithParam<TableCase> {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/" + GetParam().set, dir.path());
        std::filesystem::remove(dir.file(GetParam().table + ".CDX"));
        tags = test_support::readExpectedCdxTags(expected("cdx"));
    }
    std::string expected(const std::string& what) const
    {
        return fixturePath("xbase/" + GetParam().set + "/expected/" + GetParam().table + "." + what + ".txt");
    }
    std::shared_ptr<Table> open() const { return Table::open(dir.file(GetParam().table + ".DBF"), OpenMode::Shared); }
    void buildAll(Table& table) const
    {
        CdxIndex& index = table.createIndex();
        for (const auto& [name, fields] : tags)
            index.createTag(name, fields.at("expr"));
    }
    void expectRecordedOrder(Table& table) const
    {
        CdxIndex* index = table.index();
        ASSERT_NE(index, nullptr);
        ASSERT_EQ(index->tagCount(), tags.size());
        for (std::size_t i = 0; i < tags.size(); ++i) {
            const CdxTag& tag = index->tagAt(i);
            EXPECT_EQ(tag.name(), tags[i].first);
            EXPECT_EQ(walk(tag), test_support::readExpectedTag(expected("tag." + tag.name() + ".all")).entries)
                << tag.name();
            EXPECT_EQ(walk(tag, [&](std::uint32_t r) { return table.isDeleted(r); }),
                      test_support::readExpectedTag(expected("tag." + tag.name() + ".live")).entries)
                << tag.name();
        }
    }

    TempDir dir;
    std::vector<std::pair<std::string, std::map<std::string, std::string>>> tags;
};

TEST_P(CdxBuild, BuiltTagsWalkAndSeekAsRecordedAlsoAfterReopening)
{
    {
        auto table = open();
        ASSERT_EQ(table->index(), nullptr);
        buildAll(*table);
        EXPECT_EQ(table->headerFlags() & 0x01, 0x01);
        expectRecordedOrder(*table);
        EXPECT_EQ(CdxChecker::check(*table->index()), std::vector<std::string>());
    }
    auto table = open();
    expectRecordedOrder(*table);
    const std::uint32_t eofRecno = table->recordCount() + 1;
    for (const auto& seek : test_support::readExpectedSeeks(expected("seeks"))) {
        CdxCursor cursor(*table->index()->tag(seek.tag), seek.hideDeleted ? CdxCursor::Hidden([&](std::uint32_t r) {
            return table->isDeleted(r);
        })
                                                                         : CdxCursor::Hidden());
        EXPECT_EQ(cursor.seek(seek.key, seek.soft), seek.found) << seek.tag << " \"" << seek.key << "\"";
        EXPECT_EQ(cursor.eof() ? eofRecno : cursor.recno(), seek.recno) << seek.tag << " \"" << seek.key << "\"";
    }
}

// Everything but the root pointer and the engine-specific bytes 16-23 (which
// we leave zero) matches the reference headers byte for byte.
TEST_P(CdxBuild, HeadersMatchTheReferenceLayout)
{
    {
        auto table = open();
        buildAll(*table);
    }
    const std::string ours = test_support::readFile(dir.file(GetParam().table + ".CDX"));
    const std::string theirs = test_support::readFile(fixturePath("xbase/" + GetParam().set + "/" + GetParam().table + ".CDX"));
    auto headerAt = [](const std::string& file, std::size_t offset) {
        std::string h = file.substr(offset, cdx::kHeaderSize);
        h.replace(cdx::kRootOffset, 4, 4, '\0');
        h.replace(16, 8, 8, '\0');
        return h;
    };
    EXPECT_EQ(headerAt(ours, 0), headerAt(theirs, 0));
    EXPECT_EQ(ours.substr(16, 8), std::string(8, '\0'));
    auto table = open();
    for (const auto& [name, fields] : tags) {
        const CdxTag* tag = table->index()->tag(name);
        ASSERT_NE(tag, nullptr);
        EXPECT_EQ(headerAt(ours, tag->headerOffset()), headerAt(theirs, std::stoul(fields.at("header"), nullptr, 16)))
            << name;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSets, CdxBuild,
                         testing::Values(TableCase{"small", "ALBUMS"}, TableCase{"small", "TRACKS"},
                                         TableCase{"small", "ARTISTS"}, TableCase{"medium", "ALBUMS"},
                                         TableCase{"medium", "TRACKS"}, TableCase{"medium", "PLAYLIST"},
                                         TableCase{"medium", "ARTISTS"}, TableCase{"empty", "ALBUMS"}),
                         [](const auto& info) { return test_support::tableCaseName(info.param); });

class CdxReplace : public testing::Test {
protected:
    void SetUp() override { test_support::copyFixtureSet("xbase/small", dir.path()); }
    TempDir dir;
};

TEST_F(CdxReplace, ReplacingATagRebuildsItOnItsOwnPages)
{
    auto table = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared);
    CdxIndex& index = *table->index();
    const auto size = std::filesystem::file_size(dir.file("ALBUMS.CDX"));
    const std::uint32_t header = index.tag("album")->headerOffset();

    CdxTag& replaced = index.createTag("album", "upper(Artist)");
    EXPECT_EQ(&replaced, index.tag("ALBUM"));
    EXPECT_EQ(replaced.headerOffset(), header);
    EXPECT_EQ(replaced.keyLength(), 50);
    EXPECT_EQ(index.tagCount(), 5u);
    EXPECT_EQ(std::filesystem::file_size(dir.file("ALBUMS.CDX")), size);
    // Same order as the Artist tag's first 50 bytes, ties by record number.
    Entries want = walk(*index.tag("ARTIST"));
    for (auto& [recno, key] : want)
        key = test_support::trimmedKey(key.substr(0, 50));
    std::stable_sort(want.begin(), want.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    EXPECT_EQ(walk(replaced), want);
    EXPECT_EQ(CdxChecker::check(index), std::vector<std::string>());
}

TEST_F(CdxReplace, BadTagNamesAndExpressionsAreRefusedBeforeAnythingIsWritten)
{
    auto table = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared);
    CdxIndex& index = *table->index();
    const std::string before = test_support::readFile(dir.file("ALBUMS.CDX"));
    EXPECT_THROW(index.createTag("TOOLONGNAME1", "ID"), XbaseError);
    EXPECT_THROW(index.createTag("1ID", "ID"), XbaseError);
    EXPECT_THROW(index.createTag("NEW", "NoSuchField"), XbaseError);
    EXPECT_THROW(index.createTag("NEW", "len(ID)"), XbaseError);
    EXPECT_THROW(index.createTag("NEW", "ID", "ID"), XbaseError);
    EXPECT_EQ(test_support::readFile(dir.file("ALBUMS.CDX")), before);
    EXPECT_EQ(index.tagCount(), 5u);
}

TEST(CdxSort, EntriesComeOutInKeyThenRecordOrder)
{
    // Few distinct bytes, so ranges share long prefixes and whole keys; key
    // lengths around the point where small ranges are finished by comparison.
    std::mt19937 rng(11);
    for (std::uint16_t kl : {1, 3, 11, 100}) {
        for (std::size_t n : {0, 1, 2, 47, 49, 5000}) {
            std::string keys;
            std::vector<std::uint32_t> recnos;
            std::vector<std::pair<std::string, std::uint32_t>> want;
            for (std::size_t i = 0; i < n; ++i) {
                std::string key(kl, ' ');
                for (std::size_t j = 0, used = rng() % (kl + 1u); j < used; ++j)
                    key[j] = "AB\xe9 "[rng() % 4];
                const std::uint32_t recno = rng() % 100000;  // duplicates and descending runs too
                keys += key;
                recnos.push_back(recno);
                want.emplace_back(key, recno);
            }
            std::sort(want.begin(), want.end());  // strings compare as unsigned bytes
            CdxTreeBuilder::sortEntries(keys.data(), recnos.data(), n, kl);
            for (std::size_t i = 0; i < n; ++i) {
                ASSERT_EQ(keys.substr(i * kl, kl), want[i].first) << kl << " " << n << " " << i;
                ASSERT_EQ(recnos[i], want[i].second) << kl << " " << n << " " << i;
            }
        }
    }
}

}  // namespace
