// The compound indexes made by an independent engine read as their expected
// files say: tag headers, every tag's order with and without deleted rows,
// and the recorded seeks.
#include <gtest/gtest.h>

#include <fstream>

#include "support/expected_index.h"
#include "support/fixture_files.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_cursor.h"
#include "xbase/cdx_index.h"
#include "xbase/cdx_page.h"
#include "xbase/posix_file_system.h"
#include "xbase/table.h"

namespace {

using namespace xbase;
using test_support::fixturePath;

using test_support::TableCase;

class CdxFixture : public testing::TestWithParam<TableCase> {
protected:
    void SetUp() override
    {
        table = Table::open(fixturePath("xbase/" + GetParam().set + "/" + GetParam().table + ".DBF"), OpenMode::Shared);
        ASSERT_NE(table->index(), nullptr);
    }
    std::string expected(const std::string& what) const
    {
        return fixturePath("xbase/" + GetParam().set + "/expected/" + GetParam().table + "." + what + ".txt");
    }
    CdxIndex& index() const { return *table->index(); }

    std::vector<std::pair<std::uint32_t, std::string>> walk(const CdxTag& tag, bool hideDeleted, bool backwards) const
    {
        CdxCursor cursor(tag, hideDeleted ? CdxCursor::Hidden([this](std::uint32_t r) { return table->isDeleted(r); })
                                          : CdxCursor::Hidden());
        std::vector<std::pair<std::uint32_t, std::string>> out;
        for (bool ok = backwards ? cursor.last() : cursor.first(); ok; ok = backwards ? cursor.prev() : cursor.next())
            out.emplace_back(cursor.recno(), test_support::trimmedKey(cursor.key()));
        if (backwards)
            std::reverse(out.begin(), out.end());
        return out;
    }

    std::shared_ptr<Table> table;
};

TEST_P(CdxFixture, TagHeadersMatchInCreationOrder)
{
    auto want = test_support::readExpectedCdxTags(expected("cdx"));
    ASSERT_EQ(index().tagCount(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const CdxTag& tag = index().tagAt(i);
        const auto& fields = want[i].second;
        EXPECT_EQ(tag.name(), want[i].first);
        EXPECT_EQ(cdxHex(tag.headerOffset()), fields.at("header"));
        EXPECT_EQ(cdxHex(tag.root()), fields.at("root"));
        EXPECT_EQ(std::to_string(tag.keyLength()), fields.at("keylen"));
        EXPECT_EQ(tag.expression(), fields.at("expr"));
        EXPECT_EQ(tag.forExpression(), fields.at("for"));
        EXPECT_EQ(cdxHex(tag.header().options), fields.at("options"));
    }
}

TEST_P(CdxFixture, EveryTagWalksInRecordedOrder)
{
    for (std::size_t i = 0; i < index().tagCount(); ++i) {
        const CdxTag& tag = index().tagAt(i);
        for (const char* kind : {"all", "live"}) {
            const bool hide = std::string(kind) == "live";
            auto want = test_support::readExpectedTag(expected("tag." + tag.name() + "." + kind));
            EXPECT_EQ(tag.expression(), want.expression);
            EXPECT_EQ(tag.keyLength(), want.keyLength);
            EXPECT_EQ(walk(tag, hide, false), want.entries) << tag.name() << " " << kind;
            EXPECT_EQ(walk(tag, hide, true), want.entries) << tag.name() << " " << kind << " backwards";
        }
    }
}

TEST_P(CdxFixture, RecordedSeeksLandWhereTheyDid)
{
    const std::uint32_t eofRecno = table->recordCount() + 1;
    for (const auto& seek : test_support::readExpectedSeeks(expected("seeks"))) {
        const CdxTag* tag = index().tag(seek.tag);
        ASSERT_NE(tag, nullptr) << seek.tag;
        CdxCursor cursor(*tag, seek.hideDeleted ? CdxCursor::Hidden([this](std::uint32_t r) { return table->isDeleted(r); })
                                                : CdxCursor::Hidden());
        const bool found = cursor.seek(seek.key, seek.soft);
        const std::string what = seek.tag + " \"" + seek.key + "\" deleted " + (seek.hideDeleted ? "on" : "off") +
                                 (seek.soft ? " soft" : " exact");
        EXPECT_EQ(found, seek.found) << what;
        EXPECT_EQ(cursor.eof(), seek.eof) << what;
        EXPECT_EQ(cursor.eof() ? eofRecno : cursor.recno(), seek.recno) << what;
    }
}

TEST_P(CdxFixture, CheckerFindsNoProblems)
{
    EXPECT_EQ(CdxChecker::check(index()), std::vector<std::string>());
    PosixFileSystem fs;
    EXPECT_EQ(CdxChecker::checkHeader(fs, index().path()), std::vector<std::string>());
}

// Our encoder writes each page exactly as the independent engine did.
TEST_P(CdxFixture, EveryPageEncodesBackToItsBytes)
{
    const std::string bytes = test_support::readFile(index().path());
    auto pagesOf = [&](const CdxTag& tag) {
        std::vector<std::uint32_t> all, level{tag.root()};
        while (!level.empty()) {
            std::vector<std::uint32_t> below;
            for (std::uint32_t offset : level) {
                all.push_back(offset);
                const CdxPage& page = tag.page(offset);
                below.insert(below.end(), page.children.begin(), page.children.end());
            }
            level.swap(below);
        }
        return all;
    };
    std::vector<const CdxTag*> tags{&index().directory()};
    for (std::size_t i = 0; i < index().tagCount(); ++i)
        tags.push_back(&index().tagAt(i));
    for (const CdxTag* tag : tags) {
        for (std::uint32_t offset : pagesOf(*tag)) {
            const CdxPage& page = tag->page(offset);
            std::uint8_t encoded[cdx::kPageSize];
            encodeCdxPage(page, encoded);
            // Interior pages may keep stale bytes past their entries.
            const std::size_t used = page.leaf ? cdx::kPageSize : cdx::kInteriorHeaderSize + cdxUsedBytes(page);
            ASSERT_EQ(std::string(reinterpret_cast<const char*>(encoded), used), bytes.substr(offset, used))
                << tag->name() << " page " << cdxHex(offset);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllSets, CdxFixture,
                         testing::ValuesIn(test_support::allFixtureTables()),
                         [](const auto& info) { return test_support::tableCaseName(info.param); });

}  // namespace
