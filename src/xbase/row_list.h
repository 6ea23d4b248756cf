#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

// The visible rows of a cursor in order: record numbers with their keys,
// sorted by (key, recno); with a key length of 0 the order is the record
// number. Held in chunks of about kChunk rows, so that inserting or removing
// one row moves at most a chunk, while row N and seeks stay logarithmic.
class RowList {
public:
    void reset(std::size_t keyLength);
    std::size_t size() const { return size_; }
    std::size_t keyLength() const { return keyLength_; }
    std::uint32_t recno(std::size_t i) const;
    std::string_view key(std::size_t i) const;

    void pushBack(std::uint32_t recno, std::string_view key);
    void insert(std::size_t i, std::uint32_t recno, std::string_view key);
    void erase(std::size_t i);

    // First row not below (key, recno); `key` may be shorter than the key
    // length and then compares as a prefix (recno 0: the first such row).
    std::size_t lowerBound(std::string_view key, std::uint32_t recno) const;
    // Index of `recno` (whose key is expected to be `key`), or size().
    std::size_t find(std::uint32_t recno, std::string_view key) const;
    bool startsWith(std::size_t i, std::string_view prefix) const;

private:
    static constexpr std::size_t kChunk = 1024;

    struct Chunk {
        std::vector<std::uint32_t> recnos;
        std::string keys;
    };
    struct Place {
        std::size_t chunk;
        std::size_t offset;
    };

    Place locate(std::size_t i) const;
    void refreshStarts() const;
    bool less(const Chunk& c, std::size_t j, std::string_view key, std::uint32_t recno) const;
    std::string_view keyIn(const Chunk& c, std::size_t j) const { return {c.keys.data() + j * keyLength_, keyLength_}; }

    std::size_t keyLength_ = 0;
    std::size_t size_ = 0;
    std::vector<Chunk> chunks_;
    mutable std::vector<std::size_t> starts_;  // first row index of each chunk
    mutable bool startsValid_ = true;
};

}  // namespace xbase
