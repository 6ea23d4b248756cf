#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

// The visible rows of a cursor in order: record numbers with their keys
// (back to back, keyLength bytes each), sorted by (key, recno). With a key
// length of 0 the order is the record number.
class RowList {
public:
    void reset(std::size_t keyLength)
    {
        keyLength_ = keyLength;
        recnos_.clear();
        keys_.clear();
    }
    std::size_t size() const { return recnos_.size(); }
    std::size_t keyLength() const { return keyLength_; }
    std::uint32_t recno(std::size_t i) const { return recnos_[i]; }
    std::string_view key(std::size_t i) const { return {keys_.data() + i * keyLength_, keyLength_}; }

    void pushBack(std::uint32_t recno, std::string_view key)
    {
        recnos_.push_back(recno);
        keys_.append(key.data(), keyLength_);
    }
    void insert(std::size_t i, std::uint32_t recno, std::string_view key)
    {
        recnos_.insert(recnos_.begin() + static_cast<std::ptrdiff_t>(i), recno);
        keys_.insert(i * keyLength_, key.data(), keyLength_);
    }
    void erase(std::size_t i)
    {
        recnos_.erase(recnos_.begin() + static_cast<std::ptrdiff_t>(i));
        keys_.erase(i * keyLength_, keyLength_);
    }

    // First row not below (key, recno); `key` may be shorter than the key
    // length and then compares as a prefix.
    std::size_t lowerBound(std::string_view key, std::uint32_t recno) const
    {
        std::size_t lo = 0, hi = recnos_.size();
        while (lo < hi) {
            std::size_t mid = (lo + hi) / 2;
            if (less(mid, key, recno))
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }
    // Index of `recno` (whose key is expected to be `key`), or size().
    std::size_t find(std::uint32_t recno, std::string_view key) const
    {
        std::size_t i = lowerBound(key, recno);
        if (i < size() && recnos_[i] == recno)
            return i;
        for (i = 0; i < size(); ++i)  // the key may have changed under us (memo rewritten in place)
            if (recnos_[i] == recno)
                return i;
        return size();
    }
    bool startsWith(std::size_t i, std::string_view prefix) const
    {
        std::size_t n = std::min(prefix.size(), keyLength_);
        return std::memcmp(keys_.data() + i * keyLength_, prefix.data(), n) == 0;
    }

private:
    bool less(std::size_t i, std::string_view key, std::uint32_t recno) const
    {
        if (keyLength_ > 0) {
            std::size_t n = std::min(key.size(), keyLength_);
            int c = std::memcmp(keys_.data() + i * keyLength_, key.data(), n);
            if (c != 0)
                return c < 0;
            if (key.size() < keyLength_ && recno == 0)
                return false;
        }
        return recnos_[i] < recno;
    }

    std::size_t keyLength_ = 0;
    std::vector<std::uint32_t> recnos_;
    std::string keys_;
};

}  // namespace xbase
