#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "xbase/cdx_page_store.h"
#include "xbase/cdx_tag_header.h"

namespace xbase {

// One B+tree of a compound index: a tag, or the compound file's directory of
// tags. Reads and navigation; CdxTreeEditor and CdxTreeBuilder change it.
class CdxTag {
public:
    // A place in the tag: a leaf page and an entry in it. Page 0 is the end.
    struct Position {
        std::uint32_t page = 0;
        std::size_t index = 0;
        bool atEnd() const { return page == 0; }
    };

    CdxTag(CdxPageStore& store, std::string name, std::uint32_t headerOffset, CdxTagHeader header);

    // Stored upper case; empty for the directory.
    const std::string& name() const { return name_; }
    std::uint32_t headerOffset() const { return headerOffset_; }
    const CdxTagHeader& header() const { return header_; }
    std::uint16_t keyLength() const { return header_.keyLength; }
    const std::string& expression() const { return header_.expression; }
    const std::string& forExpression() const { return header_.forExpression; }
    std::uint32_t root() const { return header_.root; }
    CdxPageStore& store() const { return store_; }

    // Writes the whole header (after a rebuild).
    void writeHeader(const CdxTagHeader& header);
    // Points the header at a new root page (writes only that field).
    void setRoot(std::uint32_t offset);
    // Bumped on every change, so cursors know to find their place again.
    std::uint64_t version() const { return version_; }
    void changed() { ++version_; }

    // The decoded page of this tag at `offset`. Throws XbaseError.
    CdxPage& page(std::uint32_t offset) const { return store_.page(offset, header_.keyLength); }

    Position first() const;
    Position last() const;
    // First entry not before (key, recno): `key` may be shorter than the key
    // length and then compares as a prefix; recno 0 finds the first of
    // equal keys. Longer keys are cut to the key length.
    Position lowerBound(std::string_view key, std::uint32_t recno) const;
    // The following and preceding entries (end when none). Requires: !p.atEnd().
    Position next(Position p) const;
    Position prev(Position p) const;
    // Requires: !p.atEnd().
    std::uint32_t recno(Position p) const { return page(p.page).recnos[p.index]; }
    std::string_view key(Position p) const { return page(p.page).key(p.index); }

private:
    // First entry of the nearest non-empty leaf to the right (left) of `from`,
    // checking that the tag keeps ascending across the link.
    Position rightOf(const CdxPage& from) const;
    Position leftOf(const CdxPage& from) const;
    [[noreturn]] void brokenChain(const CdxPage& from) const;

    CdxPageStore& store_;
    std::string name_;
    std::uint32_t headerOffset_;
    CdxTagHeader header_;
    std::uint64_t version_ = 0;
};

}  // namespace xbase
