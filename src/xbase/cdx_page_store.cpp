#include "xbase/cdx_page_store.h"

#include "xbase/byte_order.h"
#include "xbase/xbase_error.h"

namespace xbase {

using namespace cdx;

CdxPageStore::CdxPageStore(std::unique_ptr<File> file) : file_(std::move(file))
{
    const std::uint64_t size = file_->size();
    if (size > 0xFFFFFE00u)
        throw XbaseError(path() + ": the index file is too large");
    end_ = std::uint32_t((size + kPageSize - 1) / kPageSize * kPageSize);
}

void CdxPageStore::checkPageOffset(std::uint32_t offset, const std::string& what) const
{
    if (offset % kPageSize != 0 || offset < kHeaderSize || std::uint64_t(offset) + kPageSize > end_)
        throw XbaseError(path() + ": " + what + " points to " + cdxHex(offset) +
                         ", outside the index file; the index is damaged");
}

CdxPage& CdxPageStore::page(std::uint32_t offset, std::uint16_t keyLength)
{
    const std::size_t number = offset / kPageSize;
    if (offset % kPageSize == 0 && number < cache_.size() && cache_[number]) {
        CdxPage& cached = *cache_[number];
        if (cached.keyLength != keyLength)
            throw XbaseError(path() + ": index page at " + cdxHex(offset) + " is shared by two tags; the index is damaged");
        return cached;
    }
    checkPageOffset(offset, "an index link");
    std::uint8_t bytes[kPageSize];
    file_->readExact(offset, bytes, kPageSize);
    if (number >= cache_.size())
        cache_.resize(end_ / kPageSize);
    cache_[number] = std::make_unique<CdxPage>(decodeCdxPage(bytes, offset, keyLength, path()));
    return *cache_[number];
}

CdxPage& CdxPageStore::allocate(std::uint16_t keyLength, bool leaf)
{
    std::uint32_t offset;
    if (!freePages().empty()) {
        offset = free_.back();
        const std::size_t number = offset / kPageSize;
        if (number < cache_.size() && cache_[number])
            throw XbaseError(path() + ": the free page list holds page " + cdxHex(offset) +
                             ", which is in use; the index is damaged");
        free_.pop_back();
        writeFreeHead();
    } else {
        offset = extend(kPageSize);
    }
    CdxPage page;
    page.offset = offset;
    page.keyLength = keyLength;
    page.leaf = leaf;
    adopt(std::move(page));
    return *cache_[offset / kPageSize];
}

void CdxPageStore::adopt(CdxPage page)
{
    const std::size_t number = page.offset / kPageSize;
    if (number >= cache_.size())
        cache_.resize(std::max<std::size_t>(number + 1, end_ / kPageSize));
    cache_[number] = std::make_unique<CdxPage>(std::move(page));
}

void CdxPageStore::write(const CdxPage& page)
{
    std::uint8_t bytes[kPageSize];
    encodeCdxPage(page, bytes);
    file_->writeAt(page.offset, bytes, kPageSize);
}

void CdxPageStore::release(std::uint32_t offset)
{
    freePages();
    std::uint8_t bytes[kPageSize] = {};
    writeLe32(bytes + kFreeNextOffset, free_.empty() ? 0 : free_.back());
    file_->writeAt(offset, bytes, kPageSize);
    free_.push_back(offset);
    writeFreeHead();
    const std::size_t number = offset / kPageSize;
    if (number < cache_.size())
        cache_[number].reset();
}

std::uint32_t CdxPageStore::extend(std::uint32_t bytes)
{
    if (std::uint64_t(end_) + bytes > 0xFFFFFE00u)
        throw XbaseError(path() + ": the index file cannot grow past 4 GB");
    const std::uint32_t offset = end_;
    end_ += bytes;
    return offset;
}

const std::vector<std::uint32_t>& CdxPageStore::freePages()
{
    if (freeLoaded_)
        return free_;
    std::uint8_t head[4];
    file_->readExact(kCompoundHeaderOffset + kFreeListOffset, head, sizeof head);
    std::vector<std::uint32_t> chain;
    std::vector<bool> seen(end_ / kPageSize);
    for (std::uint32_t next = readLe32(head); next != 0 && next != kNoPage;) {
        checkPageOffset(next, "the free page list");
        if (seen[next / kPageSize])
            throw XbaseError(path() + ": the free page list runs in a loop; the index is damaged");
        seen[next / kPageSize] = true;
        chain.push_back(next);
        std::uint8_t link[4];
        file_->readExact(next + kFreeNextOffset, link, sizeof link);
        next = readLe32(link);
    }
    free_.assign(chain.rbegin(), chain.rend());
    freeLoaded_ = true;
    return free_;
}

void CdxPageStore::read(std::uint32_t offset, void* buf, std::size_t n) { file_->readExact(offset, buf, n); }

void CdxPageStore::writeBytes(std::uint32_t offset, const void* buf, std::size_t n) { file_->writeAt(offset, buf, n); }

void CdxPageStore::clear()
{
    cache_.clear();
    free_.clear();
    freeLoaded_ = false;
    end_ = std::uint32_t((file_->size() + kPageSize - 1) / kPageSize * kPageSize);
}

void CdxPageStore::writeFreeHead()
{
    std::uint8_t head[4];
    writeLe32(head, free_.empty() ? 0 : free_.back());
    file_->writeAt(kCompoundHeaderOffset + kFreeListOffset, head, sizeof head);
}

}  // namespace xbase
