#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "xbase/cdx_tag.h"

namespace xbase {

// Builds a tag's tree bottom-up from sorted entries: leaves packed full,
// then each interior level, written in runs of adjacent pages. Interior
// pages and pages of the tree it replaces go into the page cache; other
// leaves are read when first used.
class CdxTreeBuilder {
public:
    // Sorts `count` entries (keys back to back, keyLength bytes each, and
    // their record numbers) by (key, recno).
    static void sortEntries(char* keys, std::uint32_t* recnos, std::size_t count, std::uint16_t keyLength);

    // Pages of the tag's present tree, to be reused by a rebuild; empty when
    // the tree cannot be read soundly (a damaged tree is left alone).
    static std::vector<std::uint32_t> treePages(const CdxTag& tag);

    // Builds the tree of `tag` from sorted entries, on the pages of `reuse`
    // first and then new pages at the end of the file; unused pages of
    // `reuse` go on the free list. Returns the root page (the caller writes
    // the header).
    static std::uint32_t build(CdxTag& tag, const char* keys, const std::uint32_t* recnos, std::size_t count,
                               std::vector<std::uint32_t> reuse);
};

}  // namespace xbase
