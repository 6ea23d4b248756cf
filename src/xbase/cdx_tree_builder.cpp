#include "xbase/cdx_tree_builder.h"

#include <algorithm>
#include <cstring>
#include <numeric>

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
    std::uint32_t take()
    {
        if (reuse_.empty())
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

// Entry counts of the leaves, each packed as full as it goes.
std::vector<std::size_t> leafSizes(const std::string& keys, const std::vector<std::uint32_t>& recnos,
                                   std::uint16_t kl)
{
    std::vector<std::size_t> sizes;
    std::size_t inPage = 0, tails = 0;
    std::uint32_t maxRecno = 0;
    for (std::size_t i = 0; i < recnos.size(); ++i) {
        const char* key = keys.data() + i * kl;
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

void writeRuns(CdxPageStore& store, std::vector<CdxPage>& pages)
{
    std::sort(pages.begin(), pages.end(), [](const CdxPage& a, const CdxPage& b) { return a.offset < b.offset; });
    std::vector<std::uint8_t> run;
    std::uint32_t runStart = 0;
    for (const CdxPage& page : pages) {
        if (!run.empty() && page.offset != runStart + run.size()) {
            store.writeBytes(runStart, run.data(), run.size());
            run.clear();
        }
        if (run.empty())
            runStart = page.offset;
        run.resize(run.size() + kPageSize);
        encodeCdxPage(page, run.data() + run.size() - kPageSize);
    }
    if (!run.empty())
        store.writeBytes(runStart, run.data(), run.size());
}

}  // namespace

void CdxTreeBuilder::sortEntries(std::string& keys, std::vector<std::uint32_t>& recnos, std::uint16_t kl)
{
    // Sort (first 16 key bytes as two numbers, position) items; ties fall
    // back to the rest of the key and then the record number.
    struct Item {
        std::uint64_t head[2];
        std::uint32_t index;
    };
    constexpr std::size_t kHeadBytes = sizeof(Item::head);
    const std::size_t n = recnos.size();
    std::vector<Item> items(n);
    char padded[kHeadBytes] = {};
    for (std::size_t i = 0; i < n; ++i) {
        const char* key = keys.data() + i * kl;
        if (kl < kHeadBytes)
            key = static_cast<const char*>(std::memcpy(padded, key, kl));
        Item& item = items[i];
        std::memcpy(item.head, key, kHeadBytes);
        item.head[0] = std::uint64_t(__builtin_bswap64(item.head[0]));  // big-endian: numbers sort as bytes do
        item.head[1] = std::uint64_t(__builtin_bswap64(item.head[1]));
        item.index = std::uint32_t(i);
    }
    const char* base = keys.data();
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        if (kl > kHeadBytes) {
            int c = std::memcmp(base + std::size_t(a.index) * kl + kHeadBytes, base + std::size_t(b.index) * kl + kHeadBytes,
                                kl - kHeadBytes);
            if (c != 0)
                return c < 0;
        }
        return recnos[a.index] < recnos[b.index];
    });
    std::string sortedKeys(keys.size(), '\0');
    std::vector<std::uint32_t> sortedRecnos(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::memcpy(sortedKeys.data() + i * kl, base + std::size_t(items[i].index) * kl, kl);
        sortedRecnos[i] = recnos[items[i].index];
    }
    keys.swap(sortedKeys);
    recnos.swap(sortedRecnos);
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

std::uint32_t CdxTreeBuilder::build(CdxTag& tag, const std::string& keys, const std::vector<std::uint32_t>& recnos,
                                    std::vector<std::uint32_t> reuse)
{
    const std::uint16_t kl = tag.keyLength();
    CdxPageStore& store = tag.store();
    PageSource source(store, std::move(reuse));
    std::vector<CdxPage> pages;

    // Builds one level of pages from entry ranges; returns the parent entries.
    struct Entry {
        std::string key;
        std::uint32_t recno;
        std::uint32_t child;
    };
    auto makeLevel = [&](const std::vector<std::size_t>& sizes, bool leaf, auto&& fill) {
        std::vector<std::uint32_t> offsets(sizes.size());
        for (std::uint32_t& offset : offsets)
            offset = source.take();
        std::vector<Entry> up;
        std::size_t from = 0;
        for (std::size_t p = 0; p < sizes.size(); ++p) {
            CdxPage page;
            page.offset = offsets[p];
            page.keyLength = kl;
            page.leaf = leaf;
            page.left = p > 0 ? offsets[p - 1] : kNoPage;
            page.right = p + 1 < sizes.size() ? offsets[p + 1] : kNoPage;
            fill(page, from, sizes[p]);
            from += sizes[p];
            if (page.count() > 0)
                up.push_back({std::string(page.key(page.count() - 1)), page.recnos.back(), page.offset});
            pages.push_back(std::move(page));
        }
        return up;
    };

    std::vector<Entry> entries = makeLevel(leafSizes(keys, recnos, kl), true,
                                           [&](CdxPage& page, std::size_t from, std::size_t n) {
                                               page.keys.assign(keys, from * kl, n * kl);
                                               page.recnos.assign(recnos.begin() + std::ptrdiff_t(from),
                                                                  recnos.begin() + std::ptrdiff_t(from + n));
                                           });
    const std::size_t perPage = kInteriorSpace / (kl + kInteriorLinkSize);
    while (entries.size() > 1) {
        const std::size_t count = (entries.size() + perPage - 1) / perPage;
        entries = makeLevel(evenSizes(entries.size(), count), false, [&](CdxPage& page, std::size_t from, std::size_t n) {
            for (std::size_t i = from; i < from + n; ++i)
                page.insert(page.count(), entries[i].key, entries[i].recno, entries[i].child);
        });
    }
    pages.back().root = true;
    const std::uint32_t root = pages.back().offset;
    writeRuns(store, pages);
    for (CdxPage& page : pages)
        store.adopt(std::move(page));
    source.releaseRest();
    tag.changed();
    return root;
}

}  // namespace xbase
