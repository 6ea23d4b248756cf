#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "xbase/file.h"

namespace xbase {

// FoxPro FPT memo file: a 512-byte header (big-endian next free block and
// block size), then blocks; a memo starts at a block with a big-endian type
// (1 = text) and length, followed by its bytes.
class MemoFile {
public:
    static constexpr std::uint32_t kHeaderSize = 512;
    static constexpr std::uint16_t kDefaultBlockSize = 64;
    static constexpr std::uint32_t kBlockHeaderSize = 8;
    static constexpr std::uint32_t kTextType = 1;

    // Writes an empty memo file (header only) to `file`.
    static void initialize(File& file, std::uint16_t blockSize = kDefaultBlockSize);

    // Reads and checks the header. Throws XbaseError on a damaged header.
    explicit MemoFile(std::unique_ptr<File> file);

    std::uint16_t blockSize() const { return blockSize_; }
    std::uint32_t nextFreeBlock() const { return nextFree_; }
    File& file() { return *file_; }

    // Text of the memo at `block`; block 0 means none (empty text).
    // Throws XbaseError when the block or its data lies past the end.
    std::string read(std::uint32_t block) const;

    // Stores `text` and returns its block (0 for empty text, which takes no
    // block). Text equal to the memo at `oldBlock` keeps that block; other
    // text goes to fresh blocks at the end of the file, so the old memo stays
    // whole for the record that points to it until that record is rewritten
    // (a pack reclaims the dead blocks).
    std::uint32_t write(std::uint32_t oldBlock, std::string_view text);

    void sync() { file_->sync(); }

private:
    std::uint32_t blocksFor(std::uint64_t length) const;
    bool holds(std::uint32_t block, std::string_view text) const;

    std::unique_ptr<File> file_;
    std::uint16_t blockSize_ = kDefaultBlockSize;
    std::uint32_t nextFree_ = 0;
};

}  // namespace xbase
