#include "xbase/cdx_tag.h"

#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace cdx;

// (key, recno) order between entry i of a and entry j of b.
bool entryBefore(const CdxPage& a, std::size_t i, const CdxPage& b, std::size_t j)
{
    int c = std::memcmp(a.keyData(i), b.keyData(j), a.keyLength);
    return c < 0 || (c == 0 && a.recnos[i] < b.recnos[j]);
}

}  // namespace

CdxTag::CdxTag(CdxPageStore& store, std::string name, std::uint32_t headerOffset, CdxTagHeader header)
    : store_(store), name_(std::move(name)), headerOffset_(headerOffset), header_(std::move(header))
{
}

void CdxTag::writeHeader(const CdxTagHeader& header)
{
    std::uint8_t bytes[kHeaderSize];
    header.encode(bytes);
    store_.writeBytes(headerOffset_, bytes, kHeaderSize);
    header_ = header;
    changed();
}

void CdxTag::setRoot(std::uint32_t offset)
{
    std::uint8_t bytes[4];
    writeLe32(bytes, offset);
    store_.writeBytes(headerOffset_ + kRootOffset, bytes, sizeof bytes);
    header_.root = offset;
}

CdxTag::Position CdxTag::first() const
{
    const CdxPage* p = &page(root());
    for (int depth = 0; !p->leaf; ++depth) {
        if (depth == kMaxDepth)
            brokenChain(*p);
        p = &page(p->children.front());
    }
    return p->count() > 0 ? Position{p->offset, 0} : rightOf(*p);
}

CdxTag::Position CdxTag::last() const
{
    const CdxPage* p = &page(root());
    for (int depth = 0; !p->leaf; ++depth) {
        if (depth == kMaxDepth)
            brokenChain(*p);
        p = &page(p->children.back());
    }
    return p->count() > 0 ? Position{p->offset, p->count() - 1} : leftOf(*p);
}

CdxTag::Position CdxTag::lowerBound(std::string_view key, std::uint32_t recno) const
{
    if (key.size() > keyLength())
        key = key.substr(0, keyLength());
    const CdxPage* p = &page(root());
    for (int depth = 0;; ++depth) {
        const std::size_t i = p->lowerBound(key, recno);
        if (p->leaf)
            return i < p->count() ? Position{p->offset, i} : rightOf(*p);
        if (i == p->count())
            return {};
        if (depth == kMaxDepth)
            brokenChain(*p);
        p = &page(p->children[i]);
    }
}

CdxTag::Position CdxTag::next(Position pos) const
{
    const CdxPage& p = page(pos.page);
    return pos.index + 1 < p.count() ? Position{pos.page, pos.index + 1} : rightOf(p);
}

CdxTag::Position CdxTag::prev(Position pos) const
{
    const CdxPage& p = page(pos.page);
    return pos.index > 0 ? Position{pos.page, pos.index - 1} : leftOf(p);
}

CdxTag::Position CdxTag::rightOf(const CdxPage& from) const
{
    const CdxPage* p = &from;
    for (std::uint32_t hops = 0; p->right != kNoPage; ++hops) {
        const CdxPage& q = page(p->right);
        if (!q.leaf || hops > store_.end() / kPageSize)
            brokenChain(from);
        if (q.count() > 0) {
            if (from.count() > 0 && !entryBefore(from, from.count() - 1, q, 0))
                brokenChain(from);
            return {q.offset, 0};
        }
        p = &q;
    }
    return {};
}

CdxTag::Position CdxTag::leftOf(const CdxPage& from) const
{
    const CdxPage* p = &from;
    for (std::uint32_t hops = 0; p->left != kNoPage; ++hops) {
        const CdxPage& q = page(p->left);
        if (!q.leaf || hops > store_.end() / kPageSize)
            brokenChain(from);
        if (q.count() > 0) {
            if (from.count() > 0 && !entryBefore(q, q.count() - 1, from, 0))
                brokenChain(from);
            return {q.offset, q.count() - 1};
        }
        p = &q;
    }
    return {};
}

void CdxTag::brokenChain(const CdxPage& from) const
{
    throw XbaseError(store_.path() + ": tag " + (name_.empty() ? std::string("directory") : name_) +
                     ": the pages linked from " + cdxHex(from.offset) + " are out of order or loop; the index is damaged");
}

}  // namespace xbase
