#include "xbase/memo_file.h"

#include <array>
#include <vector>

#include "xbase/byte_order.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {
constexpr std::uint32_t kNextFreeOffset = 0;
constexpr std::uint32_t kBlockSizeOffset = 6;
}  // namespace

void MemoFile::initialize(File& file, std::uint16_t blockSize)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    std::uint32_t firstBlock = (kHeaderSize + blockSize - 1) / blockSize;
    writeBe32(header.data() + kNextFreeOffset, firstBlock);
    writeBe16(header.data() + kBlockSizeOffset, blockSize);
    file.truncate(0);
    file.writeAt(0, header.data(), header.size());
}

MemoFile::MemoFile(std::unique_ptr<File> file) : file_(std::move(file))
{
    std::array<std::uint8_t, kHeaderSize> header{};
    if (file_->readAt(0, header.data(), header.size()) != header.size())
        throw XbaseError(file_->path() + ": memo file header is cut short");
    nextFree_ = readBe32(header.data() + kNextFreeOffset);
    blockSize_ = readBe16(header.data() + kBlockSizeOffset);
    if (blockSize_ == 0)
        throw XbaseError(file_->path() + ": memo file header gives a block size of 0");
    std::uint32_t firstBlock = (kHeaderSize + blockSize_ - 1) / blockSize_;
    if (nextFree_ < firstBlock)
        throw XbaseError(file_->path() + ": memo file header gives next free block " +
                         std::to_string(nextFree_) + " inside the header");
}

std::uint32_t MemoFile::blocksFor(std::uint64_t length) const
{
    return static_cast<std::uint32_t>((kBlockHeaderSize + length + blockSize_ - 1) / blockSize_);
}

std::string MemoFile::read(std::uint32_t block) const
{
    if (block == 0)
        return {};
    const std::uint64_t offset = std::uint64_t(block) * blockSize_;
    const std::uint64_t fileSize = file_->size();
    std::array<std::uint8_t, kBlockHeaderSize> head{};
    if (block * std::uint64_t(blockSize_) < kHeaderSize || offset + kBlockHeaderSize > fileSize)
        throw XbaseError(file_->path() + ": memo block " + std::to_string(block) +
                         " lies outside the memo file");
    file_->readExact(offset, head.data(), head.size());
    const std::uint32_t length = readBe32(head.data() + 4);
    if (offset + kBlockHeaderSize + length > fileSize)
        throw XbaseError(file_->path() + ": memo at block " + std::to_string(block) +
                         " is cut short (length " + std::to_string(length) + ")");
    std::string text(length, '\0');
    file_->readExact(offset + kBlockHeaderSize, text.data(), length);
    return text;
}

std::uint32_t MemoFile::write(std::uint32_t oldBlock, std::string_view text)
{
    if (text.empty())
        return 0;
    if (oldBlock != 0 && holds(oldBlock, text))
        return oldBlock;
    // The blocks are taken before they are filled: a failure in between
    // leaves unused blocks, never a memo that two writes share.
    const std::uint32_t block = nextFree_;
    std::array<std::uint8_t, 4> next{};
    writeBe32(next.data(), block + blocksFor(text.size()));
    file_->writeAt(kNextFreeOffset, next.data(), next.size());
    nextFree_ = block + blocksFor(text.size());
    std::vector<std::uint8_t> buf(kBlockHeaderSize + text.size());
    writeBe32(buf.data(), kTextType);
    writeBe32(buf.data() + 4, static_cast<std::uint32_t>(text.size()));
    std::copy(text.begin(), text.end(), buf.begin() + kBlockHeaderSize);
    file_->writeAt(std::uint64_t(block) * blockSize_, buf.data(), buf.size());
    return block;
}

bool MemoFile::holds(std::uint32_t block, std::string_view text) const
{
    const std::uint64_t offset = std::uint64_t(block) * blockSize_;
    std::array<std::uint8_t, kBlockHeaderSize> head{};
    if (offset < kHeaderSize || block >= nextFree_ || file_->readAt(offset, head.data(), head.size()) != head.size() ||
        readBe32(head.data() + 4) != text.size())
        return false;
    std::string stored(text.size(), '\0');
    return file_->readAt(offset + kBlockHeaderSize, stored.data(), stored.size()) == stored.size() && stored == text;
}

}  // namespace xbase
