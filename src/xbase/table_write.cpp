// Record changes, all-or-nothing across the table, its memo file and its
// index. Order of a change: the index's update mark, the record (memo text
// went to fresh blocks before), the count for an append, the tags, then the
// mark is cleared. A failure puts the record and count back and rebuilds the
// index; a program killed in between leaves the mark for the next open.
// A kill can still stop the record's own write at a page boundary inside
// it (the kernel checks for fatal signals between pages); changes that
// must survive that keep the old record in the catalogue's journal.
#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/cdx_index.h"
#include "xbase/dbf_format.h"
#include "xbase/file_names.h"
#include "xbase/memo_file.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace xbase {

using namespace dbf;

void Table::requireWritableFiles() const
{
    if (!file_->writable())
        throw XbaseError(path_ + ": the file is read-only");
    if (memo_ && !memo_->file().writable())
        throw XbaseError(memo_->file().path() + ": the file is read-only");
    if (index_ && !index_->writable())
        throw XbaseError(index_->path() + ": the file is read-only");
}

void Table::prepareChange()
{
    requireWritableFiles();
    if (!refusal_.empty())
        throw XbaseError(refusal_);
    if (index_ && index_->needsRebuild()) {
        try {
            rebuildIndex(index_->definitions());
        } catch (const XbaseError& e) {
            throw XbaseError(CdxIndex::needsRebuildText(index_->path()) + " (" + e.what() + ")");
        }
    }
}

void Table::afterFailedChange(const std::function<void()>& putBack)
{
    try {
        putBack();
    } catch (const XbaseError&) {
        // The disk may hold the change while this process does not; the
        // index's mark stays, so the next open rebuilds it from the disk.
        refusal_ = path_ + ": a failed change could not be undone; the table must be closed and opened again";
        return;
    }
    if (!index_)
        return;
    if (!index_->needsRebuild()) {
        try {
            index_->endUpdate();
            return;
        } catch (const XbaseError&) {
            // Rebuilt below.
        }
    }
    try {
        rebuildIndex(index_->definitions());
    } catch (const XbaseError&) {
        // Still marked; tried again before the next change.
    }
}

void Table::rebuildIndex(const std::vector<CdxTagDefinition>& tags)
{
    index_ = CdxIndex::build(*this, index_ ? index_->path() : siblingPath(fs_, path_, "cdx"), tags);
}

void Table::setHeaderFlags(std::uint8_t flags)
{
    if (flags == flags_)
        return;
    requireWritableFiles();
    file_->writeAt(kFlagsOffset, &flags, 1);
    flags_ = flags;
}

void Table::writeCountAndDate(std::uint32_t count)
{
    std::uint8_t bytes[7];
    writeToday(bytes);
    writeLe32(bytes + 3, count);
    file_->writeAt(kDateOffset, bytes, sizeof bytes);
    dateWritten_ = true;
}

std::uint32_t Table::append(const std::uint8_t* rec)
{
    prepareChange();
    const std::uint32_t recno = count_ + 1;
    const std::uint64_t end = headerLength_ + std::uint64_t(count_) * recordLength_;
    if (index_)
        index_->beginUpdate();
    try {
        // Record first, count second: until the count is written the table
        // reads as before.
        std::vector<std::uint8_t> bytes(rec, rec + recordLength_);
        bytes.push_back(kEofMarker);
        file_->writeAt(end, bytes.data(), bytes.size());
        writeCountAndDate(recno);
        if (index_) {
            index_->recordChanged(recno, nullptr, rec);
            index_->endUpdate();
        }
    } catch (...) {
        afterFailedChange([&] {
            std::uint8_t count[4];
            writeLe32(count, count_);
            file_->writeAt(kCountOffset, count, sizeof count);
            file_->writeAt(end, &kEofMarker, 1);
            file_->truncate(end + 1);
        });
        throw;
    }

    const std::uint32_t segment = count_ / kSegmentRecords;
    if (segment == segments_.size())
        segments_.emplace_back();
    Segment& s = segments_[segment];
    if (!s.loaded && count_ % kSegmentRecords != 0)
        loadSegment(segment);
    if (!s.bytes)
        s.bytes.reset(new std::uint8_t[std::size_t(kSegmentRecords) * recordLength_]);
    s.loaded = true;
    std::memcpy(s.bytes.get() + std::size_t(count_ % kSegmentRecords) * recordLength_, rec, recordLength_);
    count_ = recno;
    notifyListeners(recno, nullptr, record(recno));
    return recno;
}

void Table::write(std::uint32_t recno, const std::uint8_t* rec)
{
    std::uint8_t* slot = const_cast<std::uint8_t*>(record(recno));
    if (std::memcmp(slot, rec, recordLength_) == 0)
        return;
    prepareChange();
    const std::vector<std::uint8_t> old(slot, slot + recordLength_);
    const std::uint64_t at = headerLength_ + std::uint64_t(recno - 1) * recordLength_;
    if (index_)
        index_->beginUpdate();
    try {
        file_->writeAt(at, rec, recordLength_);
        if (!dateWritten_)
            writeCountAndDate(count_);
        if (index_) {
            index_->recordChanged(recno, old.data(), rec);
            index_->endUpdate();
        }
    } catch (...) {
        afterFailedChange([&] { file_->writeAt(at, old.data(), recordLength_); });
        throw;
    }
    std::memcpy(slot, rec, recordLength_);
    notifyListeners(recno, old.data(), slot);
}

void Table::setDeleted(std::uint32_t recno, bool deleted)
{
    std::vector<std::uint8_t> rec(record(recno), record(recno) + recordLength_);
    rec[0] = deleted ? kDeletedFlag : ' ';
    write(recno, rec.data());
}

}  // namespace xbase
