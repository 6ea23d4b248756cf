#include "playback/tracks_view_file_system.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace playback {
namespace {

// Held in blocks, a few at a time: a table filled row by row writes its new
// records at the end and its record count at the start, so the blocks
// written lately stay held and the others go to the file in large writes.
class HeldFile : public xbase::File {
public:
    explicit HeldFile(std::unique_ptr<xbase::File> file) : file_(std::move(file)), size_(file_->size()), onDisk_(size_)
    {
    }

    std::size_t readAt(std::uint64_t offset, void* buf, std::size_t n) override
    {
        if (offset >= size_)
            return 0;
        n = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - offset));
        forEachBlock(offset, n, [&](Block* block, std::uint64_t at, std::size_t from, std::size_t count,
                                    std::size_t done) {
            auto* out = static_cast<std::uint8_t*>(buf) + done;
            if (block)
                std::memcpy(out, block->bytes.data() + from, count);
            else
                file_->readExact(at, out, count);
        });
        return n;
    }

    void writeAt(std::uint64_t offset, const void* buf, std::size_t n) override
    {
        if (!file_->writable())
            file_->writeAt(offset, buf, n);  // throws the read-only error
        forEachBlock(offset, n, [&](Block* block, std::uint64_t at, std::size_t from, std::size_t count,
                                    std::size_t done) {
            if (!block)
                block = &load(at / kBlockSize);
            std::memcpy(block->bytes.data() + from, static_cast<const std::uint8_t*>(buf) + done, count);
            block->dirty = true;
        });
        size_ = std::max(size_, offset + n);
        if (blocks_.size() > kHeldBlocks)
            writeBack(false);
    }

    std::uint64_t size() override { return size_; }

    void truncate(std::uint64_t size) override
    {
        writeBack(true);
        size_ = size;
        file_->truncate(size);
        onDisk_ = size;
    }

    void sync() override
    {
        writeBack(true);
        file_->sync();
    }

    bool tryLock(xbase::LockKind kind) override { return file_->tryLock(kind); }
    const std::string& path() const override { return file_->path(); }
    bool writable() const override { return file_->writable(); }

private:
    static constexpr std::uint64_t kBlockSize = 256 * 1024;
    static constexpr std::size_t kHeldBlocks = 8;

    struct Block {
        std::vector<std::uint8_t> bytes;
        bool dirty = false;
    };

    // Calls `visit` for each block's share of [offset, offset + n): the
    // block when held (else null), the file offset, the offset in the
    // block, the byte count and the bytes visited before.
    template <typename Visit>
    void forEachBlock(std::uint64_t offset, std::size_t n, Visit visit)
    {
        std::size_t done = 0;
        while (done < n) {
            const std::uint64_t at = offset + done;
            const std::size_t from = static_cast<std::size_t>(at % kBlockSize);
            const std::size_t count = std::min<std::size_t>(n - done, kBlockSize - from);
            const auto held = blocks_.find(at / kBlockSize);
            visit(held == blocks_.end() ? nullptr : &held->second, at, from, count, done);
            done += count;
        }
    }

    Block& load(std::uint64_t index)
    {
        Block& block = blocks_[index];
        block.bytes.assign(kBlockSize, 0);
        const std::uint64_t start = index * kBlockSize;
        if (start < onDisk_)
            file_->readExact(start, block.bytes.data(),
                             static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, onDisk_ - start)));
        return block;
    }

    // Writes the changed blocks; all are let go, or (`all` false) all but
    // the first and the last, where the next writes go.
    void writeBack(bool all)
    {
        const std::uint64_t last = size_ == 0 ? 0 : (size_ - 1) / kBlockSize;
        for (auto it = blocks_.begin(); it != blocks_.end();) {
            const std::uint64_t start = it->first * kBlockSize;
            if (it->second.dirty && start < size_) {
                file_->writeAt(start, it->second.bytes.data(),
                               static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, size_ - start)));
                onDisk_ = std::max(onDisk_, std::min(start + kBlockSize, size_));
            }
            it->second.dirty = false;
            const bool keep = !all && (it->first == 0 || it->first == last);
            it = keep ? std::next(it) : blocks_.erase(it);
        }
    }

    std::unique_ptr<xbase::File> file_;
    std::map<std::uint64_t, Block> blocks_;
    std::uint64_t size_;    // as written, held blocks included
    std::uint64_t onDisk_;  // what the file holds
};

}  // namespace

std::unique_ptr<xbase::File> TracksViewFileSystem::open(const std::string& path, xbase::OpenFlags flags)
{
    return std::make_unique<HeldFile>(base_.open(path, flags));
}

}  // namespace playback
