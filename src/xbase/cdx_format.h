#pragma once

#include <cstddef>
#include <cstdint>

// Byte layout of a FoxPro compound index (CDX); docs/formats/cdx.md explains
// each field. Header numbers are little-endian, interior entries big-endian.
namespace xbase::cdx {

constexpr std::uint32_t kPageSize = 512;
// A tag header: 512 bytes of fields, then 512 bytes of expression text.
constexpr std::uint32_t kHeaderSize = 1024;
// Offset 0 holds the compound header, whose tree is the tag directory.
constexpr std::uint32_t kCompoundHeaderOffset = 0;
// "No page" in sibling links.
constexpr std::uint32_t kNoPage = 0xFFFFFFFF;

// Tag header fields (the compound header has the same layout).
constexpr std::size_t kRootOffset = 0;
constexpr std::size_t kFreeListOffset = 4;
constexpr std::size_t kKeyLengthOffset = 12;
constexpr std::size_t kOptionsOffset = 14;
constexpr std::size_t kSignatureOffset = 15;
constexpr std::size_t kDescendingOffset = 502;
constexpr std::size_t kForPosOffset = 504;
constexpr std::size_t kForLengthOffset = 506;
constexpr std::size_t kKeyPosOffset = 508;
constexpr std::size_t kKeyExprLengthOffset = 510;
constexpr std::size_t kExpressionPoolOffset = 512;
constexpr std::size_t kExpressionPoolSize = 512;

constexpr std::uint8_t kOptionUnique = 0x01;
constexpr std::uint8_t kOptionFor = 0x08;
constexpr std::uint8_t kOptionCompact = 0x20;
constexpr std::uint8_t kOptionCompound = 0x40;
constexpr std::uint8_t kOptionStructural = 0x80;
constexpr std::uint8_t kTagOptions = kOptionCompact | kOptionCompound;
constexpr std::uint8_t kDirectoryOptions = kOptionStructural | kOptionCompact | kOptionCompound;
constexpr std::uint8_t kSignature = 0x01;

constexpr std::uint16_t kDirectoryKeyLength = 10;
constexpr std::uint16_t kMaxKeyLength = 240;
constexpr std::size_t kMaxTagNameLength = 10;

// Every tree page starts with these.
constexpr std::size_t kAttributesOffset = 0;
constexpr std::size_t kCountOffset = 2;
constexpr std::size_t kLeftOffset = 4;
constexpr std::size_t kRightOffset = 8;
constexpr std::uint16_t kAttrRoot = 0x01;
constexpr std::uint16_t kAttrLeaf = 0x02;

// Interior page: after the 12-byte head, entries of key + recno + child
// (both big-endian), where the key and recno are the greatest entry of the
// child's subtree.
constexpr std::size_t kInteriorHeaderSize = 12;
constexpr std::size_t kInteriorSpace = kPageSize - kInteriorHeaderSize;
constexpr std::size_t kInteriorLinkSize = 8;

// Leaf page: head, then packed entry words growing upward and key tails
// growing downward from the end of the page.
constexpr std::size_t kLeafFreeOffset = 12;
constexpr std::size_t kLeafRecnoMaskOffset = 14;
constexpr std::size_t kLeafDupMaskOffset = 18;
constexpr std::size_t kLeafTrailMaskOffset = 19;
constexpr std::size_t kLeafRecnoBitsOffset = 20;
constexpr std::size_t kLeafDupBitsOffset = 21;
constexpr std::size_t kLeafTrailBitsOffset = 22;
constexpr std::size_t kLeafEntryBytesOffset = 23;
constexpr std::size_t kLeafHeaderSize = 24;
constexpr std::size_t kLeafSpace = kPageSize - kLeafHeaderSize;
constexpr std::size_t kMinEntryBytes = 3;
constexpr std::size_t kMaxEntryBytes = 8;

// Character keys are padded with blanks; leaves drop them as "trail".
constexpr char kPadByte = ' ';

// A free page holds the offset of the next free page in its first bytes
// (little-endian, 0 ends the list).
constexpr std::size_t kFreeNextOffset = 0;

// Deeper trees cannot occur with 512-byte pages; deeper means a loop.
constexpr int kMaxDepth = 32;

}  // namespace xbase::cdx
