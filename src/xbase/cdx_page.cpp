#include "xbase/cdx_page.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace cdx;

int bitsFor(std::uint32_t value) { return value == 0 ? 0 : 32 - std::countl_zero(value); }

std::size_t commonPrefix(const char* a, const char* b, std::size_t n)
{
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y)
            return i + std::size_t(std::countr_zero(x ^ y) / 8);
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

std::size_t trailingPad(const char* key, std::size_t n)
{
    // Keys end in long runs of blanks: take them eight at a time.
    constexpr std::uint64_t kPadWord = 0x0101010101010101ull * std::uint8_t(kPadByte);
    std::size_t t = 0;
    for (std::uint64_t w; t + 8 <= n; t += 8) {
        std::memcpy(&w, key + n - t - 8, 8);
        if (w != kPadWord)
            break;
    }
    while (t < n && key[n - 1 - t] == kPadByte)
        ++t;
    return t;
}

// Dup and trail counts of a leaf key after `prev` (null: first in its page).
void leafCounts(const char* prev, const char* key, std::size_t n, std::size_t& dup, std::size_t& trail)
{
    trail = trailingPad(key, n);
    dup = prev ? std::min(commonPrefix(prev, key, n), n - trail) : 0;
}

void leafCounts(const CdxPage& page, std::size_t i, std::size_t& dup, std::size_t& trail)
{
    leafCounts(i == 0 ? nullptr : page.keyData(i - 1), page.keyData(i), page.keyLength, dup, trail);
}

std::uint32_t maxRecno(const CdxPage& page)
{
    return page.recnos.empty() ? 0 : *std::max_element(page.recnos.begin(), page.recnos.end());
}

[[noreturn]] void damaged(const std::string& path, std::uint32_t offset, const std::string& what)
{
    throw XbaseError(path + ": index page at " + cdxHex(offset) + " is damaged (" + what + ")");
}

void checkOrder(const CdxPage& page, const std::string& path)
{
    for (std::size_t i = 1; i < page.count(); ++i) {
        int c = std::memcmp(page.keyData(i - 1), page.keyData(i), page.keyLength);
        if (c > 0 || (c == 0 && page.recnos[i - 1] >= page.recnos[i]))
            damaged(path, page.offset, "entries out of order at entry " + std::to_string(i + 1));
    }
}

// Entry word i of a leaf whose words take `entryBytes` each.
std::uint64_t leafWord(const std::uint8_t* in, std::size_t i, std::size_t entryBytes)
{
    const std::uint8_t* w = in + kLeafHeaderSize + i * entryBytes;
    std::uint64_t word = 0;
    for (std::size_t b = 0; b < entryBytes; ++b)
        word |= std::uint64_t(w[b]) << (8 * b);
    return word;
}

void decodeLeaf(const std::uint8_t* in, CdxPage& page, std::size_t count, const std::string& path)
{
    const std::size_t kl = page.keyLength;
    const int recnoBits = in[kLeafRecnoBitsOffset];
    const int dupBits = in[kLeafDupBitsOffset];
    const int trailBits = in[kLeafTrailBitsOffset];
    const std::size_t entryBytes = in[kLeafEntryBytesOffset];
    if (entryBytes < 1 || entryBytes > kMaxEntryBytes || recnoBits > 32 || dupBits > 8 || trailBits > 8 ||
        std::size_t(recnoBits + dupBits + trailBits) > entryBytes * 8)
        damaged(path, page.offset, "bad bit counts");
    const std::uint32_t recnoMask = std::uint32_t((std::uint64_t(1) << recnoBits) - 1);
    if (readLe32(in + kLeafRecnoMaskOffset) != recnoMask ||
        in[kLeafDupMaskOffset] != (1u << dupBits) - 1 || in[kLeafTrailMaskOffset] != (1u << trailBits) - 1)
        damaged(path, page.offset, "masks disagree with bit counts");
    if (count * entryBytes > kLeafSpace)
        damaged(path, page.offset, "too many entries (" + std::to_string(count) + ")");
    page.keys.resize(count * kl);
    page.recnos.resize(count);
    std::size_t tailEnd = kPageSize;
    const std::size_t entriesEnd = kLeafHeaderSize + count * entryBytes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t word = leafWord(in, i, entryBytes);
        const std::size_t dup = (word >> recnoBits) & ((1u << dupBits) - 1);
        const std::size_t trail = (word >> (recnoBits + dupBits)) & ((1u << trailBits) - 1);
        if (dup + trail > kl || (i == 0 && dup != 0))
            damaged(path, page.offset, "bad duplicate or trail count in entry " + std::to_string(i + 1));
        const std::size_t tail = kl - dup - trail;
        if (tailEnd - entriesEnd < tail)
            damaged(path, page.offset, "keys overrun the entries");
        tailEnd -= tail;
        char* key = page.keys.data() + i * kl;
        if (dup > 0)
            std::memcpy(key, key - kl, dup);
        std::memcpy(key + dup, in + tailEnd, tail);
        std::memset(key + dup + tail, kPadByte, trail);
        page.recnos[i] = std::uint32_t(word & recnoMask);
    }
}

void decodeInterior(const std::uint8_t* in, CdxPage& page, std::size_t count, const std::string& path)
{
    const std::size_t kl = page.keyLength;
    const std::size_t step = kl + kInteriorLinkSize;
    if (count == 0 || count * step > kInteriorSpace)
        damaged(path, page.offset, "bad entry count " + std::to_string(count));
    page.keys.resize(count * kl);
    page.recnos.resize(count);
    page.children.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = in + kInteriorHeaderSize + i * step;
        std::memcpy(page.keys.data() + i * kl, e, kl);
        page.recnos[i] = readBe32(e + kl);
        page.children[i] = readBe32(e + kl + 4);
    }
}

}  // namespace

std::string cdxHex(std::uint32_t offset)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    do {
        out.insert(out.begin(), digits[offset & 0xF]);
        offset >>= 4;
    } while (offset != 0);
    return "0x" + out;
}

bool CdxPage::entryLess(std::size_t i, std::string_view key, std::uint32_t recno) const
{
    const int c = cdxCompareKeys(keyData(i), key.data(), key.size());
    return c < 0 || (c == 0 && recnos[i] < recno);
}

std::size_t CdxPage::lowerBound(std::string_view key, std::uint32_t recno) const
{
    std::size_t lo = 0, hi = count();
    while (lo < hi) {
        std::size_t mid = (lo + hi) / 2;
        if (entryLess(mid, key, recno))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void CdxPage::insert(std::size_t i, std::string_view key, std::uint32_t recno, std::uint32_t child)
{
    keys.insert(i * keyLength, key.data(), keyLength);
    recnos.insert(recnos.begin() + std::ptrdiff_t(i), recno);
    if (!leaf)
        children.insert(children.begin() + std::ptrdiff_t(i), child);
}

void CdxPage::erase(std::size_t i)
{
    keys.erase(i * keyLength, keyLength);
    recnos.erase(recnos.begin() + std::ptrdiff_t(i));
    if (!leaf)
        children.erase(children.begin() + std::ptrdiff_t(i));
}

void CdxPage::append(const CdxPage& other, std::size_t from, std::size_t to)
{
    keys.append(other.keys, from * keyLength, (to - from) * keyLength);
    recnos.insert(recnos.end(), other.recnos.begin() + std::ptrdiff_t(from), other.recnos.begin() + std::ptrdiff_t(to));
    if (!leaf)
        children.insert(children.end(), other.children.begin() + std::ptrdiff_t(from),
                        other.children.begin() + std::ptrdiff_t(to));
}

void CdxPage::truncate(std::size_t n)
{
    keys.resize(n * keyLength);
    recnos.resize(n);
    if (!leaf)
        children.resize(n);
}

std::size_t cdxLeafTail(const char* prev, const char* key, std::uint16_t keyLength)
{
    std::size_t dup, trail;
    leafCounts(prev, key, keyLength, dup, trail);
    return keyLength - dup - trail;
}

std::size_t cdxLeafTailBytes(const CdxPage& page, std::size_t i)
{
    std::size_t dup, trail;
    leafCounts(page, i, dup, trail);
    return page.keyLength - dup - trail;
}

std::size_t cdxLeafEntryBytes(std::uint16_t keyLength, std::uint32_t maxRecno)
{
    const int bits = bitsFor(maxRecno) + 2 * bitsFor(keyLength);
    return std::max(kMinEntryBytes, std::size_t(bits + 7) / 8);
}

std::size_t cdxUsedBytes(const CdxPage& page)
{
    if (!page.leaf)
        return page.count() * (page.keyLength + kInteriorLinkSize);
    std::size_t used = page.count() * cdxLeafEntryBytes(page.keyLength, maxRecno(page));
    for (std::size_t i = 0; i < page.count(); ++i)
        used += cdxLeafTailBytes(page, i);
    return used;
}

std::size_t cdxCapacity(const CdxPage& page) { return page.leaf ? kLeafSpace : kInteriorSpace; }

CdxLeafFree cdxLeafFree(const std::uint8_t* in, std::uint16_t keyLength)
{
    const std::size_t count = readLe16(in + kCountOffset);
    const int recnoBits = in[kLeafRecnoBitsOffset];
    const int dupBits = in[kLeafDupBitsOffset];
    const std::size_t entryBytes = in[kLeafEntryBytesOffset];
    std::size_t used = count * entryBytes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t word = leafWord(in, i, entryBytes);
        const std::size_t dup = (word >> recnoBits) & ((1u << dupBits) - 1);
        const std::size_t trail = (word >> (recnoBits + dupBits)) & ((1u << in[kLeafTrailBitsOffset]) - 1);
        used += keyLength - std::min<std::size_t>(dup + trail, keyLength);
    }
    return {readLe16(in + kLeafFreeOffset), kLeafSpace - std::min(used, kLeafSpace)};
}

std::vector<std::size_t> cdxSplitSizes(const CdxPage& page)
{
    // Costs are upper bounds: a piece's first entry shares no prefix and
    // the entry width is that of the whole page.
    const std::size_t n = page.count();
    const std::size_t capacity = cdxCapacity(page);
    std::size_t entry = page.keyLength + kInteriorLinkSize;
    if (page.leaf)
        entry = cdxLeafEntryBytes(page.keyLength, *std::max_element(page.recnos.begin(), page.recnos.end()));
    std::vector<std::size_t> cost(n);
    for (std::size_t i = 0; i < n; ++i)
        cost[i] = page.leaf ? entry + cdxLeafTailBytes(page, i) : entry;
    const std::size_t first = page.leaf ? entry + page.keyLength : entry;
    std::size_t total = 0;
    for (std::size_t c : cost)
        total += c;
    std::size_t best = 0, bestWorst = SIZE_MAX, left = 0;
    for (std::size_t m = 1; m < n; ++m) {
        left += cost[m - 1];
        const std::size_t right = total - left - cost[m] + first;
        const std::size_t worst = std::max(left, right);
        if (worst < bestWorst) {
            bestWorst = worst;
            best = m;
        }
    }
    if (bestWorst <= capacity)
        return {best, n - best};
    std::vector<std::size_t> sizes{1};
    std::size_t used = first;
    for (std::size_t i = 1; i < n; ++i) {
        if (used + cost[i] <= capacity) {
            used += cost[i];
            ++sizes.back();
        } else {
            sizes.push_back(1);
            used = first;
        }
    }
    return sizes;
}

namespace {

void encodeHead(std::uint8_t* out, bool root, bool leaf, std::size_t count, std::uint32_t left, std::uint32_t right)
{
    std::memset(out, 0, kPageSize);
    writeLe16(out + kAttributesOffset, std::uint16_t((root ? kAttrRoot : 0) | (leaf ? kAttrLeaf : 0)));
    writeLe16(out + kCountOffset, std::uint16_t(count));
    writeLe32(out + kLeftOffset, left);
    writeLe32(out + kRightOffset, right);
}

}  // namespace

void encodeCdxLeaf(const CdxLeafEntries& entries, bool root, std::uint32_t left, std::uint32_t right,
                   std::uint8_t* out)
{
    const std::size_t kl = entries.keyLength;
    const std::size_t count = entries.count;
    encodeHead(out, root, true, count, left, right);
    const int countBits = bitsFor(entries.keyLength);
    const std::uint32_t largest = count == 0 ? 0 : *std::max_element(entries.recnos, entries.recnos + count);
    const std::size_t entryBytes = cdxLeafEntryBytes(entries.keyLength, largest);
    const int recnoBits = std::min(int(entryBytes * 8) - 2 * countBits, 32);
    writeLe32(out + kLeafRecnoMaskOffset, std::uint32_t((std::uint64_t(1) << recnoBits) - 1));
    out[kLeafDupMaskOffset] = out[kLeafTrailMaskOffset] = std::uint8_t((1u << countBits) - 1);
    out[kLeafRecnoBitsOffset] = std::uint8_t(recnoBits);
    out[kLeafDupBitsOffset] = out[kLeafTrailBitsOffset] = std::uint8_t(countBits);
    out[kLeafEntryBytesOffset] = std::uint8_t(entryBytes);
    std::size_t tailEnd = kPageSize;
    for (std::size_t i = 0; i < count; ++i) {
        const char* key = entries.keys + i * kl;
        std::size_t dup, trail;
        leafCounts(i == 0 ? nullptr : key - kl, key, kl, dup, trail);
        const std::uint64_t word = std::uint64_t(entries.recnos[i]) | (std::uint64_t(dup) << recnoBits) |
                                   (std::uint64_t(trail) << (recnoBits + countBits));
        std::uint8_t* w = out + kLeafHeaderSize + i * entryBytes;
        for (std::size_t b = 0; b < entryBytes; ++b)
            w[b] = std::uint8_t(word >> (8 * b));
        const std::size_t tail = kl - dup - trail;
        tailEnd -= tail;
        std::memcpy(out + tailEnd, key + dup, tail);
    }
    writeLe16(out + kLeafFreeOffset, std::uint16_t(tailEnd - kLeafHeaderSize - count * entryBytes));
}

void encodeCdxPage(const CdxPage& page, std::uint8_t* out)
{
    if (page.leaf) {
        encodeCdxLeaf({page.keys.data(), page.recnos.data(), page.count(), page.keyLength}, page.root, page.left,
                      page.right, out);
        return;
    }
    encodeHead(out, page.root, false, page.count(), page.left, page.right);
    const std::size_t kl = page.keyLength;
    std::uint8_t* e = out + kInteriorHeaderSize;
    for (std::size_t i = 0; i < page.count(); ++i, e += kl + kInteriorLinkSize) {
        std::memcpy(e, page.keyData(i), kl);
        writeBe32(e + kl, page.recnos[i]);
        writeBe32(e + kl + 4, page.children[i]);
    }
}

CdxPage decodeCdxPage(const std::uint8_t* in, std::uint32_t offset, std::uint16_t keyLength, const std::string& path)
{
    CdxPage page;
    page.offset = offset;
    page.keyLength = keyLength;
    const std::uint16_t attributes = readLe16(in + kAttributesOffset);
    if (attributes > (kAttrRoot | kAttrLeaf))
        damaged(path, offset, "unknown page attributes " + std::to_string(attributes));
    page.leaf = (attributes & kAttrLeaf) != 0;
    page.root = (attributes & kAttrRoot) != 0;
    page.left = readLe32(in + kLeftOffset);
    page.right = readLe32(in + kRightOffset);
    const std::size_t count = readLe16(in + kCountOffset);
    if (page.leaf)
        decodeLeaf(in, page, count, path);
    else
        decodeInterior(in, page, count, path);
    checkOrder(page, path);
    return page;
}

}  // namespace xbase
