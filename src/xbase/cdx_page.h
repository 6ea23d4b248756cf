#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx_format.h"

namespace xbase {

// One index page, decoded: keys of keyLength bytes back to back with their
// record numbers (and, on interior pages, child page offsets). Entries are
// in ascending (key, recno) order. An interior entry's key and recno are the
// greatest entry of its child's subtree.
struct CdxPage {
    std::uint32_t offset = 0;
    std::uint16_t keyLength = 0;
    bool leaf = true;
    bool root = false;
    std::uint32_t left = cdx::kNoPage;
    std::uint32_t right = cdx::kNoPage;
    std::string keys;
    std::vector<std::uint32_t> recnos;
    std::vector<std::uint32_t> children;

    std::size_t count() const { return recnos.size(); }
    const char* keyData(std::size_t i) const { return keys.data() + i * keyLength; }
    std::string_view key(std::size_t i) const { return {keyData(i), keyLength}; }

    // Whether entry i sorts before the target: its first key.size() bytes are
    // less than `key`, or equal and its recno is less than `recno`. A short
    // key with recno 0 thus finds the first entry starting with it.
    bool entryLess(std::size_t i, std::string_view key, std::uint32_t recno) const;
    // First entry that does not sort before the target (count() if none).
    std::size_t lowerBound(std::string_view key, std::uint32_t recno) const;

    // Requires: key.size() == keyLength.
    void insert(std::size_t i, std::string_view key, std::uint32_t recno, std::uint32_t child = 0);
    void erase(std::size_t i);
    // Appends entries [from, to) of `other` (same key length and kind).
    void append(const CdxPage& other, std::size_t from, std::size_t to);
    // Keeps the first n entries.
    void truncate(std::size_t n);
};

// Byte order of `n` bytes at a and b, as memcmp gives it (<0, 0, >0). Keys
// are short and compared very often: eight bytes at a time, inline.
inline int cdxCompareKeys(const char* a, const char* b, std::size_t n)
{
    std::size_t i = 0;
    for (std::uint64_t x, y; i + 8 <= n; i += 8) {
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y)
            return __builtin_bswap64(x) < __builtin_bswap64(y) ? -1 : 1;
    }
    for (; i < n; ++i)
        if (a[i] != b[i])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    return 0;
}

// "0x1a00": page offsets in messages, as other tools show them.
std::string cdxHex(std::uint32_t offset);

// Bytes the entries take in the page's data area, and whether they fit.
std::size_t cdxUsedBytes(const CdxPage& page);
std::size_t cdxCapacity(const CdxPage& page);
inline bool cdxFits(const CdxPage& page) { return cdxUsedBytes(page) <= cdxCapacity(page); }

// Bytes entry i of a leaf takes after entry i-1 (its packed word excluded):
// the key without the prefix shared with the previous key and trailing blanks.
std::size_t cdxLeafTailBytes(const CdxPage& page, std::size_t i);
// The same for `key` after `prev` (null when it starts a page).
std::size_t cdxLeafTail(const char* prev, const char* key, std::uint16_t keyLength);
// Bytes of one packed leaf entry word for record numbers up to maxRecno.
std::size_t cdxLeafEntryBytes(std::uint16_t keyLength, std::uint32_t maxRecno);

// A leaf's free space as its header states it and as its layout leaves it
// (between the entry words and the key tails, with each entry's duplicate
// and trail counts as stored). Other engines may state less than is left.
// Requires: kPageSize bytes of a leaf page.
struct CdxLeafFree {
    std::size_t stated;
    std::size_t left;
};
CdxLeafFree cdxLeafFree(const std::uint8_t* in, std::uint16_t keyLength);

// Entry counts of the pieces an overflowing page splits into, each fitting
// a page: two of about equal size when that works, else as many as needed.
std::vector<std::size_t> cdxSplitSizes(const CdxPage& page);

// Writes the page's kPageSize bytes. Requires: cdxFits(page).
void encodeCdxPage(const CdxPage& page, std::uint8_t* out);

// Sorted leaf entries held elsewhere: keys back to back, record numbers.
struct CdxLeafEntries {
    const char* keys;
    const std::uint32_t* recnos;
    std::size_t count;
    std::uint16_t keyLength;
};
// Writes a leaf page of those entries. Requires: they fit a leaf.
void encodeCdxLeaf(const CdxLeafEntries& entries, bool root, std::uint32_t left, std::uint32_t right,
                   std::uint8_t* out);

// Decodes kPageSize bytes read from `offset`. Throws XbaseError naming
// `path` and the page when the bytes do not form a valid page.
CdxPage decodeCdxPage(const std::uint8_t* in, std::uint32_t offset, std::uint16_t keyLength,
                      const std::string& path);

}  // namespace xbase
