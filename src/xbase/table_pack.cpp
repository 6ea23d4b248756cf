// Pack: the table's live records, memos and index tags written afresh and
// swapped in all-or-nothing.
#include <cstring>

#include "xbase/bulk_allocator.h"
#include "xbase/byte_order.h"
#include "xbase/cdx_index.h"
#include "xbase/dbf_format.h"
#include "xbase/file_names.h"
#include "xbase/memo_file.h"
#include "xbase/pack_journal.h"
#include "xbase/table.h"
#include "xbase/tag_access.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace dbf;

// A memo file built in memory: header, then each memo in whole blocks.
class MemoImage {
public:
    explicit MemoImage(std::uint16_t blockSize) : blockSize_(blockSize), bytes_(MemoFile::kHeaderSize, 0)
    {
        pad();
    }
    std::uint32_t add(const std::string& text)
    {
        if (text.empty())
            return 0;
        std::uint32_t block = static_cast<std::uint32_t>(bytes_.size() / blockSize_);
        std::uint8_t head[MemoFile::kBlockHeaderSize];
        writeBe32(head, MemoFile::kTextType);
        writeBe32(head + 4, static_cast<std::uint32_t>(text.size()));
        bytes_.insert(bytes_.end(), head, head + sizeof head);
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        pad();
        return block;
    }
    const BulkVector<std::uint8_t>& finish()
    {
        writeBe32(bytes_.data(), static_cast<std::uint32_t>(bytes_.size() / blockSize_));
        writeBe16(bytes_.data() + 6, blockSize_);
        return bytes_;
    }

private:
    void pad() { bytes_.resize((bytes_.size() + blockSize_ - 1) / blockSize_ * blockSize_, 0); }

    std::uint16_t blockSize_;
    BulkVector<std::uint8_t> bytes_;
};

void writeWhole(FileSystem& fs, const std::string& path, const BulkVector<std::uint8_t>& bytes)
{
    auto file = fs.open(path, OpenFlags::Create);
    file->truncate(0);
    file->writeAt(0, bytes.data(), bytes.size());
    file->sync();
}

// Copies a damaged memo file to a free name beside it, before the pack
// replaces it: what could not be read may still be mended by hand.
std::string keepDamagedCopy(FileSystem& fs, File& memo)
{
    std::string path = memo.path() + ".damaged";
    for (int n = 2; fs.exists(path); ++n)
        path = memo.path() + ".damaged-" + std::to_string(n);
    BulkVector<std::uint8_t> bytes(static_cast<std::size_t>(memo.size()));
    memo.readExact(0, bytes.data(), bytes.size());
    writeWhole(fs, path, bytes);
    return path;
}

}  // namespace

Table::PackLosses Table::pack(const RecordProgress& progress)
{
    if (mode_ != OpenMode::Exclusive)
        throw XbaseError(path_ + ": packing needs the table opened exclusively");
    requireWritableFiles();
    if (!refusal_.empty())
        throw XbaseError(refusal_);
    PackJournal journal(fs_, path_);
    journal.recover();

    BulkVector<std::uint8_t> image(headerLength_);
    file_->readExact(0, image.data(), image.size());
    // Room for all at once: each regrowth would copy into fresh memory.
    image.reserve(headerLength_ + std::size_t(count_) * recordLength_ + 1);
    std::unique_ptr<MemoImage> memos;
    if (memo_)
        memos = std::make_unique<MemoImage>(memo_->blockSize());
    std::uint32_t live = 0;
    PackLosses losses;
    std::vector<std::uint8_t> rec;
    forEachRecord([&](std::uint32_t recno, const std::uint8_t* record) {
        if (progress && recno % kProgressRecords == 0)
            progress(recno, count_);
        if (record[0] == kDeletedFlag)
            return;
        rec.assign(record, record + recordLength_);
        bool lost = false;
        for (std::size_t f = 0; memos && f < fields_.size(); ++f) {
            if (fields_[f].type != 'M')
                continue;
            std::string text;
            try {
                text = memoText(rec.data(), static_cast<int>(f));
            } catch (const XbaseError&) {
                // Past the end of a cut-short memo file: nobody can read it,
                // and failing here would keep the table from ever packing.
                lost = true;
            }
            std::uint32_t block = memos->add(text);
            std::uint8_t* p = rec.data() + fields_[f].offset;
            if (fields_[f].length == 4) {
                writeLe32(p, block);
            } else {
                std::string digits = block ? std::to_string(block) : std::string();
                std::memset(p, ' ', fields_[f].length);
                std::memcpy(p + fields_[f].length - digits.size(), digits.data(), digits.size());
            }
        }
        image.insert(image.end(), rec.begin(), rec.end());
        ++live;
        losses.rowsWithLostMemos += lost ? 1 : 0;
    });
    image.push_back(kEofMarker);
    writeLe32(image.data() + kCountOffset, live);

    if (losses.rowsWithLostMemos > 0)
        losses.keptMemoFile = keepDamagedCopy(fs_, memo_->file());
    const std::string temp = journal.tempTablePath();
    writeWhole(fs_, temp, image);
    if (memos)
        writeWhole(fs_, siblingPath(fs_, temp, "fpt"), memos->finish());
    if (index())
        rebuildIndexBeside(*this, temp);
    journal.commit();
    reopen();
    return losses;
}

void Table::reopen()
{
    file_.reset();
    memo_.reset();
    index_.reset();
    fields_.clear();
    segments_.clear();
    dateWritten_ = false;
    refusal_.clear();
    load();
    for (TableListener* l : listeners_)
        l->tableReset();
}

}  // namespace xbase
