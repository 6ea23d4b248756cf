#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xbase/cdx_page.h"
#include "xbase/file.h"

namespace xbase {

// The pages of one compound index file: reads and decodes each page once and
// keeps it, writes changed pages back, hands out pages from the free list
// (head in the compound header) or the end of the file.
class CdxPageStore {
public:
    // Requires: the file holds at least the compound header.
    explicit CdxPageStore(std::unique_ptr<File> file);

    const std::string& path() const { return file_->path(); }
    bool writable() const { return file_->writable(); }
    // End of the last whole or partial page.
    std::uint32_t end() const { return end_; }

    // The decoded page at `offset` of a tag with `keyLength`. Throws
    // XbaseError on a bad offset or damaged page.
    CdxPage& page(std::uint32_t offset, std::uint16_t keyLength);
    // A fresh empty page from the free list or the end of the file, cached
    // but not written yet.
    CdxPage& allocate(std::uint16_t keyLength, bool leaf);
    // Caches a page built in memory under its offset (already written).
    void adopt(CdxPage page);
    // Encodes and writes a changed page. Requires: cdxFits(page).
    void write(const CdxPage& page);
    // Puts the page on the free list; its cached copy is dropped.
    void release(std::uint32_t offset);
    // Reserves `bytes` (whole pages) at the end of the file.
    std::uint32_t extend(std::uint32_t bytes);
    // Offsets on the free list, head last. Throws XbaseError on a damaged list.
    const std::vector<std::uint32_t>& freePages();

    void read(std::uint32_t offset, void* buf, std::size_t n);
    void writeBytes(std::uint32_t offset, const void* buf, std::size_t n);
    // Forgets every decoded page: after a failed write the cache may be
    // ahead of the file.
    void clear();
    void sync() { file_->sync(); }

private:
    // Throws XbaseError unless `offset` is a page inside the file and past
    // the compound header; `what` says whose pointer it was.
    void checkPageOffset(std::uint32_t offset, const std::string& what) const;
    void writeFreeHead();

    std::unique_ptr<File> file_;
    std::uint32_t end_ = 0;
    std::vector<std::unique_ptr<CdxPage>> cache_;  // by page number
    std::vector<std::uint32_t> free_;
    bool freeLoaded_ = false;
};

}  // namespace xbase
