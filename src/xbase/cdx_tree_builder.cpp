#include "xbase/cdx_tree_builder.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace cdx;

// Hands out page offsets: reused pages in file order, then new ones.
class PageSource {
public:
    PageSource(CdxPageStore& store, std::vector<std::uint32_t> reuse) : store_(store), reuse_(std::move(reuse))
    {
        std::sort(reuse_.begin(), reuse_.end(), std::greater<>());
    }
    // `reused` tells whether the page was the old tree's (and may be cached).
    std::uint32_t take(bool& reused)
    {
        reused = !reuse_.empty();
        if (!reused)
            return store_.extend(kPageSize);
        std::uint32_t offset = reuse_.back();
        reuse_.pop_back();
        return offset;
    }
    void releaseRest()
    {
        for (std::uint32_t offset : reuse_)
            store_.release(offset);
    }

private:
    CdxPageStore& store_;
    std::vector<std::uint32_t> reuse_;
};

// Collects encoded pages and writes runs of adjacent ones together, a
// bounded buffer at a time.
class RunWriter {
public:
    explicit RunWriter(CdxPageStore& store) : store_(store), buffer_(kRunPages * kPageSize) {}
    // The bytes to encode the page at `offset` into.
    std::uint8_t* slot(std::uint32_t offset)
    {
        if (count_ > 0 && (count_ == kRunPages || offset != start_ + count_ * kPageSize))
            finish();
        if (count_ == 0)
            start_ = offset;
        return buffer_.data() + count_++ * kPageSize;
    }
    void finish()
    {
        if (count_ > 0)
            store_.writeBytes(start_, buffer_.data(), count_ * kPageSize);
        count_ = 0;
    }

private:
    static constexpr std::size_t kRunPages = 128;
    CdxPageStore& store_;
    std::vector<std::uint8_t> buffer_;
    std::uint32_t start_ = 0;
    std::size_t count_ = 0;
};

// Entry counts of the leaves, each packed as full as it goes.
std::vector<std::size_t> leafSizes(const char* keys, const std::uint32_t* recnos, std::size_t count, std::uint16_t kl)
{
    std::vector<std::size_t> sizes;
    std::size_t inPage = 0, tails = 0;
    std::uint32_t maxRecno = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char* key = keys + i * kl;
        const std::size_t tail = cdxLeafTail(inPage ? key - kl : nullptr, key, kl);
        const std::uint32_t newMax = std::max(maxRecno, recnos[i]);
        if (inPage && (inPage + 1) * cdxLeafEntryBytes(kl, newMax) + tails + tail > kLeafSpace) {
            sizes.push_back(inPage);
            inPage = 1;
            tails = cdxLeafTail(nullptr, key, kl);
            maxRecno = recnos[i];
        } else {
            ++inPage;
            tails += tail;
            maxRecno = newMax;
        }
    }
    sizes.push_back(inPage);  // an empty tree is one empty leaf
    return sizes;
}

// Entry counts of `pages` interior pages sharing `entries` evenly.
std::vector<std::size_t> evenSizes(std::size_t entries, std::size_t pages)
{
    std::vector<std::size_t> sizes(pages, entries / pages);
    for (std::size_t i = 0; i < entries % pages; ++i)
        ++sizes[i];
    return sizes;
}

}  // namespace

void CdxTreeBuilder::sortEntries(char* keys, std::uint32_t* recnos, std::size_t count, std::uint16_t kl)
{
    // In-place radix sort, most significant key byte first (no copy of the
    // entries: big tables make big arrays, and fresh memory is slow): each
    // range is split by its byte at `depth` into buckets by swapping entries
    // into place, and each bucket goes on with the next byte. Small ranges
    // are finished by comparison; equal keys by record number.
    constexpr std::size_t kSmall = 96;
    struct Range {
        std::size_t from, n, depth;
    };
    char* base = keys;
    std::uint32_t* nums = recnos;
    auto byteAt = [&](std::size_t i, std::size_t depth) { return static_cast<unsigned char>(base[i * kl + depth]); };
    auto swapEntries = [&](std::size_t i, std::size_t j) {
        // Keys are short: eight bytes at a time beats a call per copy.
        char* a = base + i * kl;
        char* b = base + j * kl;
        std::size_t k = 0;
        for (std::uint64_t x, y; k + 8 <= kl; k += 8) {
            std::memcpy(&x, a + k, 8);
            std::memcpy(&y, b + k, 8);
            std::memcpy(a + k, &y, 8);
            std::memcpy(b + k, &x, 8);
        }
        for (; k < kl; ++k)
            std::swap(a[k], b[k]);
        std::swap(nums[i], nums[j]);
    };
    std::vector<std::uint32_t> small;
    std::string smallKeys;
    std::vector<std::uint32_t> smallRecnos;
    auto sortSmall = [&](const Range& r) {
        const std::size_t rest = kl - r.depth;
        small.resize(r.n);
        std::iota(small.begin(), small.end(), std::uint32_t(r.from));
        std::sort(small.begin(), small.end(), [&](std::uint32_t x, std::uint32_t y) {
            const int c = cdxCompareKeys(base + std::size_t(x) * kl + r.depth, base + std::size_t(y) * kl + r.depth, rest);
            return c != 0 ? c < 0 : nums[x] < nums[y];
        });
        smallKeys.resize(r.n * kl);
        smallRecnos.resize(r.n);
        for (std::size_t i = 0; i < r.n; ++i) {
            std::memcpy(smallKeys.data() + i * kl, base + std::size_t(small[i]) * kl, kl);
            smallRecnos[i] = nums[small[i]];
        }
        std::memcpy(base + r.from * kl, smallKeys.data(), r.n * kl);
        std::copy(smallRecnos.begin(), smallRecnos.end(), nums + r.from);
    };

    std::vector<Range> work;
    if (count > 1)
        work.push_back({0, count, 0});
    while (!work.empty()) {
        const Range r = work.back();
        work.pop_back();
        if (r.depth == kl) {
            std::sort(nums + r.from, nums + r.from + r.n);  // equal keys
            continue;
        }
        if (r.n <= kSmall) {
            sortSmall(r);
            continue;
        }
        std::size_t bucketSize[256] = {};
        for (std::size_t i = r.from; i < r.from + r.n; ++i)
            ++bucketSize[byteAt(i, r.depth)];
        if (bucketSize[byteAt(r.from, r.depth)] == r.n) {
            work.push_back({r.from, r.n, r.depth + 1});  // one byte for all: look at the next
            continue;
        }
        std::size_t next[256], end[256];
        for (std::size_t b = 0, at = r.from; b < 256; ++b) {
            next[b] = at;
            at += bucketSize[b];
            end[b] = at;
            if (bucketSize[b] > 1)
                work.push_back({next[b], bucketSize[b], r.depth + 1});
        }
        // Each swap puts one entry into its bucket for good.
        for (std::size_t b = 0; b < 256; ++b) {
            while (next[b] < end[b]) {
                const unsigned char v = byteAt(next[b], r.depth);
                if (v == b)
                    ++next[b];
                else
                    swapEntries(next[b], next[v]++);
            }
        }
    }
}

std::vector<std::uint32_t> CdxTreeBuilder::treePages(const CdxTag& tag)
{
    std::vector<std::uint32_t> pages;
    std::vector<bool> seen(tag.store().end() / kPageSize);
    try {
        std::vector<std::uint32_t> level{tag.root()};
        for (int depth = 0; !level.empty() && depth < kMaxDepth; ++depth) {
            std::vector<std::uint32_t> below;
            for (std::uint32_t offset : level) {
                const CdxPage& page = tag.page(offset);
                if (seen[offset / kPageSize])
                    return {};
                seen[offset / kPageSize] = true;
                pages.push_back(offset);
                below.insert(below.end(), page.children.begin(), page.children.end());
            }
            level.swap(below);
        }
        if (!level.empty())
            return {};
    } catch (const XbaseError&) {
        return {};
    }
    return pages;
}

std::uint32_t CdxTreeBuilder::build(CdxTag& tag, const char* keys, const std::uint32_t* recnos, std::size_t count,
                                    std::vector<std::uint32_t> reuse)
{
    const std::uint16_t kl = tag.keyLength();
    CdxPageStore& store = tag.store();
    PageSource source(store, std::move(reuse));
    RunWriter writer(store);

    // The greatest entry of each page of a level: the level above's entries.
    struct Entry {
        std::string key;
        std::uint32_t recno;
        std::uint32_t child;
    };
    auto takeAll = [&](std::size_t n, std::vector<bool>& reused) {
        std::vector<std::uint32_t> offsets(n);
        reused.resize(n);
        for (std::size_t p = 0; p < n; ++p) {
            bool r;
            offsets[p] = source.take(r);
            reused[p] = r;
        }
        return offsets;
    };
    auto link = [](CdxPage& page, const std::vector<std::uint32_t>& offsets, std::size_t p) {
        page.offset = offsets[p];
        page.left = p > 0 ? offsets[p - 1] : kNoPage;
        page.right = p + 1 < offsets.size() ? offsets[p + 1] : kNoPage;
    };

    // Leaves are encoded straight from the sorted entries; only pages of the
    // old tree are decoded into the cache, replacing what it held for them.
    const std::vector<std::size_t> sizes = leafSizes(keys, recnos, count, kl);
    std::vector<bool> reused;
    std::vector<std::uint32_t> offsets = takeAll(sizes.size(), reused);
    std::vector<Entry> entries;
    std::size_t from = 0;
    for (std::size_t p = 0; p < sizes.size(); ++p) {
        CdxPage page;
        page.keyLength = kl;
        page.root = sizes.size() == 1;
        link(page, offsets, p);
        const CdxLeafEntries run{keys + from * kl, recnos + from, sizes[p], kl};
        encodeCdxLeaf(run, page.root, page.left, page.right, writer.slot(page.offset));
        if (sizes[p] > 0)
            entries.push_back({std::string(run.keys + (run.count - 1) * kl, kl), run.recnos[run.count - 1], page.offset});
        if (reused[p]) {
            page.keys.assign(run.keys, run.count * kl);
            page.recnos.assign(run.recnos, run.recnos + run.count);
            store.adopt(std::move(page));
        }
        from += sizes[p];
    }
    std::uint32_t root = offsets.front();
    const std::size_t perPage = kInteriorSpace / (kl + kInteriorLinkSize);
    while (entries.size() > 1) {
        const std::vector<std::size_t> counts = evenSizes(entries.size(), (entries.size() + perPage - 1) / perPage);
        offsets = takeAll(counts.size(), reused);
        std::vector<Entry> up;
        std::size_t next = 0;
        for (std::size_t p = 0; p < counts.size(); ++p) {
            CdxPage page;
            page.keyLength = kl;
            page.leaf = false;
            page.root = counts.size() == 1;
            link(page, offsets, p);
            for (std::size_t i = next; i < next + counts[p]; ++i)
                page.insert(page.count(), entries[i].key, entries[i].recno, entries[i].child);
            next += counts[p];
            encodeCdxPage(page, writer.slot(page.offset));
            up.push_back({entries[next - 1].key, entries[next - 1].recno, page.offset});
            store.adopt(std::move(page));
        }
        entries = std::move(up);
        root = offsets.front();
    }
    writer.finish();
    source.releaseRest();
    tag.changed();
    return root;
}

}  // namespace xbase
