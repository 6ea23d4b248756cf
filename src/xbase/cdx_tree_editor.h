#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "xbase/cdx_tag.h"

namespace xbase {

// Adds and removes single entries of a tag in place: a page that overflows
// splits (a root split grows the tree by a level), an emptied page is freed,
// a page under a quarter full merges with a neighbour under the same parent,
// and parents keep the greatest entry of each child. Only changed pages are
// written; freed pages go on the file's free list.
class CdxTreeEditor {
public:
    explicit CdxTreeEditor(CdxTag& tag);

    // Requires: key.size() == keyLength(). Throws XbaseError when the entry
    // is already there or on I/O failure.
    void insert(std::string_view key, std::uint32_t recno);
    // Throws XbaseError when the entry is missing.
    void remove(std::string_view key, std::uint32_t recno);

private:
    struct Step {
        CdxPage* page;
        std::size_t index;  // entry followed down (interior) or found (leaf)
    };

    // Fills path_ from the root to the leaf for (key, recno); false when the
    // entry would lie past the end and `clampToLast` is off.
    bool descend(std::string_view key, std::uint32_t recno, bool clampToLast);
    // After the page at path_[depth] grew or changed: write it, or split it.
    void settle(std::size_t depth);
    // After the page at path_[depth] lost entries: free, merge or write it.
    void shrink(std::size_t depth);
    void split(std::size_t depth);
    // Sets the parent's entry for path_[depth] to that page's greatest entry.
    void updateParent(std::size_t depth);
    bool mergeWithNeighbour(std::size_t depth);
    void unlinkAndFree(CdxPage& page);
    void shrinkRoot();

    CdxTag& tag_;
    CdxPageStore& store_;
    std::vector<Step> path_;
};

}  // namespace xbase
