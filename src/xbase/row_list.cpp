#include "xbase/row_list.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx_page.h"

namespace xbase {

void RowList::reset(std::size_t keyLength)
{
    keyLength_ = keyLength;
    size_ = 0;
    chunks_.clear();
    starts_.clear();
    startsValid_ = true;
}

void RowList::refreshStarts() const
{
    if (startsValid_)
        return;
    starts_.resize(chunks_.size());
    std::size_t at = 0;
    for (std::size_t c = 0; c < chunks_.size(); ++c) {
        starts_[c] = at;
        at += chunks_[c].recnos.size();
    }
    startsValid_ = true;
}

RowList::Place RowList::locate(std::size_t i) const
{
    refreshStarts();
    auto it = std::upper_bound(starts_.begin(), starts_.end(), i);
    std::size_t c = static_cast<std::size_t>(it - starts_.begin()) - 1;
    return {c, i - starts_[c]};
}

std::uint32_t RowList::recno(std::size_t i) const
{
    Place p = locate(i);
    return chunks_[p.chunk].recnos[p.offset];
}

std::string_view RowList::key(std::size_t i) const
{
    Place p = locate(i);
    return keyIn(chunks_[p.chunk], p.offset);
}

void RowList::pushBack(std::uint32_t recno, std::string_view key)
{
    if (chunks_.empty() || chunks_.back().recnos.size() >= kChunk) {
        chunks_.emplace_back();
        chunks_.back().recnos.reserve(kChunk);
        chunks_.back().keys.reserve(kChunk * keyLength_);
        starts_.push_back(size_);
    }
    chunks_.back().recnos.push_back(recno);
    chunks_.back().keys.append(key.data(), keyLength_);
    ++size_;
}

void RowList::insert(std::size_t i, std::uint32_t recno, std::string_view key)
{
    if (i == size_) {
        if (chunks_.empty())
            chunks_.emplace_back();
        Chunk& last = chunks_.back();
        last.recnos.push_back(recno);
        last.keys.append(key.data(), keyLength_);
    } else {
        Place p = locate(i);
        Chunk& c = chunks_[p.chunk];
        c.recnos.insert(c.recnos.begin() + static_cast<std::ptrdiff_t>(p.offset), recno);
        c.keys.insert(p.offset * keyLength_, key.data(), keyLength_);
        if (c.recnos.size() >= 2 * kChunk) {
            Chunk tail;
            tail.recnos.assign(c.recnos.begin() + kChunk, c.recnos.end());
            tail.keys.assign(c.keys, kChunk * keyLength_);
            c.recnos.resize(kChunk);
            c.keys.resize(kChunk * keyLength_);
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(p.chunk) + 1, std::move(tail));
        }
    }
    ++size_;
    startsValid_ = false;
}

void RowList::erase(std::size_t i)
{
    Place p = locate(i);
    Chunk& c = chunks_[p.chunk];
    c.recnos.erase(c.recnos.begin() + static_cast<std::ptrdiff_t>(p.offset));
    c.keys.erase(p.offset * keyLength_, keyLength_);
    if (c.recnos.empty())
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(p.chunk));
    --size_;
    startsValid_ = false;
}

bool RowList::less(const Chunk& c, std::size_t j, std::string_view key, std::uint32_t recno) const
{
    if (keyLength_ > 0) {
        std::size_t n = std::min(key.size(), keyLength_);
        int cmp = cdxCompareKeys(c.keys.data() + j * keyLength_, key.data(), n);
        if (cmp != 0)
            return cmp < 0;
        if (key.size() < keyLength_ && recno == 0)
            return false;
    }
    return c.recnos[j] < recno;
}

std::size_t RowList::lowerBound(std::string_view key, std::uint32_t recno) const
{
    refreshStarts();
    // The first chunk whose last row is not below the target holds the answer.
    std::size_t lo = 0, hi = chunks_.size();
    while (lo < hi) {
        std::size_t mid = (lo + hi) / 2;
        if (less(chunks_[mid], chunks_[mid].recnos.size() - 1, key, recno))
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == chunks_.size())
        return size_;
    const Chunk& c = chunks_[lo];
    std::size_t a = 0, b = c.recnos.size();
    while (a < b) {
        std::size_t mid = (a + b) / 2;
        if (less(c, mid, key, recno))
            a = mid + 1;
        else
            b = mid;
    }
    return starts_[lo] + a;
}

std::size_t RowList::find(std::uint32_t recno, std::string_view key) const
{
    std::size_t i = lowerBound(key, recno);
    if (i < size_ && this->recno(i) == recno)
        return i;
    // The key may have changed under us (a memo rewritten in place).
    std::size_t at = 0;
    for (const Chunk& c : chunks_) {
        auto it = std::find(c.recnos.begin(), c.recnos.end(), recno);
        if (it != c.recnos.end())
            return at + static_cast<std::size_t>(it - c.recnos.begin());
        at += c.recnos.size();
    }
    return size_;
}

bool RowList::startsWith(std::size_t i, std::string_view prefix) const
{
    std::size_t n = std::min(prefix.size(), keyLength_);
    return std::memcmp(key(i).data(), prefix.data(), n) == 0;
}

}  // namespace xbase
