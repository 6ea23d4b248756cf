// Leaf and interior pages: packing, record-number widths, splitting, and
// refusing damaged bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/cdx_page.h"
#include "xbase/xbase_error.h"

namespace {

using namespace xbase;
using namespace xbase::cdx;

CdxPage leafOf(std::uint16_t keyLength, const std::vector<std::pair<std::string, std::uint32_t>>& entries)
{
    CdxPage page;
    page.offset = 0x1000;
    page.keyLength = keyLength;
    for (const auto& [key, recno] : entries) {
        std::string k = key;
        k.resize(keyLength, ' ');
        page.insert(page.count(), k, recno);
    }
    return page;
}

CdxPage roundTrip(const CdxPage& page, std::uint8_t* bytes)
{
    encodeCdxPage(page, bytes);
    return decodeCdxPage(bytes, page.offset, page.keyLength, "T.CDX");
}

TEST(CdxPage, LeafKeepsKeysAndPicksTheNarrowestRecordNumberWidth)
{
    // Blank keys, equal keys, keys sharing prefixes, bytes above 0x7F, and
    // record numbers that need 3, 4 and 5 bytes per entry with 7 count bits.
    for (std::uint32_t big : {1000u, 200000u, 40000000u}) {
        CdxPage page = leafOf(100, {{"", 3}, {"ABBA", 5}, {"ABBA", 6}, {"ABBEY ROAD", 2}, {"\xc9" "DITH", big}});
        std::uint8_t bytes[kPageSize];
        CdxPage back = roundTrip(page, bytes);
        EXPECT_EQ(back.keys, page.keys);
        EXPECT_EQ(back.recnos, page.recnos);
        EXPECT_TRUE(back.leaf);
        EXPECT_EQ(bytes[kLeafDupBitsOffset], 7);
        EXPECT_EQ(bytes[kLeafEntryBytesOffset], big < 1024 ? 3 : big < (1u << 18) ? 4 : 5);
        EXPECT_EQ(readLe16(bytes + kLeafFreeOffset), kLeafSpace - cdxUsedBytes(page));
    }
}

TEST(CdxPage, InteriorKeepsKeysRecnosAndChildren)
{
    CdxPage page;
    page.offset = 0x1400;
    page.keyLength = 11;
    page.leaf = false;
    page.root = true;
    page.insert(0, "12c16424  7", 23127, 0xe00);
    page.insert(1, "z0000247 11", 12103, 0x26e00);
    std::uint8_t bytes[kPageSize];
    CdxPage back = roundTrip(page, bytes);
    EXPECT_FALSE(back.leaf);
    EXPECT_TRUE(back.root);
    EXPECT_EQ(back.keys, page.keys);
    EXPECT_EQ(back.recnos, page.recnos);
    EXPECT_EQ(back.children, page.children);
    EXPECT_EQ(readBe32(bytes + kInteriorHeaderSize + 11), 23127u);
}

TEST(CdxPage, OverflowingPagesSplitIntoPiecesThatFit)
{
    auto pieces = [](const CdxPage& page) {
        std::vector<CdxPage> out;
        std::size_t from = 0;
        for (std::size_t n : cdxSplitSizes(page)) {
            CdxPage piece = page;
            piece.truncate(0);
            piece.append(page, from, from + n);
            from += n;
            out.push_back(piece);
        }
        EXPECT_EQ(from, page.count());
        return out;
    };
    std::vector<std::pair<std::string, std::uint32_t>> many;
    for (std::uint32_t i = 0; i < 100; ++i)
        many.emplace_back("ARTIST " + std::to_string(100000 + i * 1237), i + 1);
    CdxPage full = leafOf(50, many);
    ASSERT_FALSE(cdxFits(full));
    auto two = pieces(full);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_TRUE(cdxFits(two[0]) && cdxFits(two[1]));
    EXPECT_GE(cdxUsedBytes(two[0]), kLeafSpace / 3);
    EXPECT_GE(cdxUsedBytes(two[1]), kLeafSpace / 3);

    // Five keys of 240 distinct bytes take three pages.
    std::vector<std::pair<std::string, std::uint32_t>> huge;
    for (char c = 'a'; c < 'f'; ++c)
        huge.emplace_back(std::string(240, c), std::uint32_t(c));
    auto three = pieces(leafOf(240, huge));
    ASSERT_EQ(three.size(), 3u);
    for (const CdxPage& p : three)
        EXPECT_TRUE(cdxFits(p));
}

TEST(CdxPage, DamagedBytesAreRefused)
{
    CdxPage page = leafOf(10, {{"A", 1}, {"B", 2}, {"C", 3}});
    std::uint8_t good[kPageSize];
    encodeCdxPage(page, good);
    auto refused = [&](auto&& damage) {
        std::uint8_t bytes[kPageSize];
        std::memcpy(bytes, good, kPageSize);
        damage(bytes);
        EXPECT_THROW(decodeCdxPage(bytes, page.offset, 10, "T.CDX"), XbaseError);
    };
    refused([](std::uint8_t* b) { b[kLeafRecnoBitsOffset] = 40; });
    refused([](std::uint8_t* b) { b[kLeafEntryBytesOffset] = 0; });
    refused([](std::uint8_t* b) { b[kLeafDupMaskOffset] = 0x07; });
    refused([](std::uint8_t* b) { writeLe16(b + kCountOffset, 200); });
    refused([](std::uint8_t* b) { writeLe16(b + kAttributesOffset, 9); });
    // Entry 2 claims 12 duplicate bytes of a 10-byte key.
    refused([](std::uint8_t* b) { b[kLeafHeaderSize + 3 + 2] = 0xC0; });
    // Entries swapped out of order.
    refused([](std::uint8_t* b) { std::swap(b[kPageSize - 1], b[kPageSize - 3]); });
    // An interior page whose entries do not fit.
    refused([](std::uint8_t* b) {
        writeLe16(b + kAttributesOffset, 0);
        writeLe16(b + kCountOffset, 30);
    });
}

}  // namespace
