#include "xbase/table.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <thread>

#include "xbase/byte_order.h"
#include "xbase/cdx_index.h"
#include "xbase/dbf_format.h"
#include "xbase/file_names.h"
#include "xbase/memo_file.h"
#include "xbase/pack_journal.h"
#include "xbase/table_registry.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace dbf;

// How long an open waits for another program to finish a change to the
// index (its mark set) before calling the index half-updated.
constexpr int kMarkWaits = 100;
constexpr auto kMarkWaitStep = std::chrono::milliseconds(10);

std::string fileName(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string_view trimmed(std::string_view s)
{
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

std::shared_ptr<Table> Table::open(const std::string& path, OpenMode mode, FileSystem& fs)
{
    const std::string key = fs.identity(path) + '\n' + std::to_string(reinterpret_cast<std::uintptr_t>(&fs));
    auto& registry = TableRegistry::instance();
    if (auto existing = registry.find(key)) {
        if (mode == OpenMode::Exclusive || existing->mode_ == OpenMode::Exclusive)
            throw XbaseError(path + ": the table is already open" +
                             (mode == OpenMode::Exclusive ? "; it cannot be opened exclusively" : " exclusively"));
        return existing;
    }
    std::shared_ptr<Table> table(new Table(path, fs, mode));
    table->load();
    registry.add(key, table);
    return table;
}

Table::Table(std::string path, FileSystem& fs, OpenMode mode) : path_(std::move(path)), fs_(fs), mode_(mode) {}

Table::~Table() = default;

void Table::openFiles()
{
    file_ = fs_.open(path_, OpenFlags::ReadWrite);
    if (!file_->tryLock(mode_ == OpenMode::Exclusive ? LockKind::Exclusive : LockKind::Shared))
        throw XbaseError(path_ + (mode_ == OpenMode::Exclusive
                                      ? ": the table is in use by another program and cannot be opened exclusively"
                                      : ": the table is opened exclusively by another program"));
}

void Table::load()
{
    openFiles();
    // Only once the lock shows that no one else is packing or creating.
    if (PackJournal(fs_, path_).recover())
        openFiles();
    removeLeftovers();
    loadHeader();
    const std::uint64_t dataSize = std::uint64_t(count_) * recordLength_;
    if (headerLength_ + dataSize > file_->size())
        throw XbaseError(path_ + ": the record count (" + std::to_string(count_) +
                         ") runs past the end of the file; the table is damaged or cut short");
    segments_.resize((count_ + kSegmentRecords - 1) / kSegmentRecords);
    bool memoFields = std::any_of(fields_.begin(), fields_.end(), [](const Field& f) { return f.type == 'M'; });
    if (memoFields) {
        std::string memoPath = siblingPath(fs_, path_, "fpt");
        if (!fs_.exists(memoPath))
            throw XbaseError(path_ + ": its memo file " + fileName(memoPath) + " is missing");
        memo_ = std::make_unique<MemoFile>(fs_.open(memoPath, OpenFlags::ReadWrite));
    }
    std::string indexPath = siblingPath(fs_, path_, "cdx");
    if (fs_.exists(indexPath))
        openIndex(indexPath);
}

void Table::removeLeftovers()
{
    const std::string created = creationPath(path_);
    for (const std::string& leftover : {created, siblingPath(fs_, created, "fpt"),
                                        CdxIndex::buildPath(siblingPath(fs_, path_, "cdx"))}) {
        try {
            if (fs_.exists(leftover))
                fs_.remove(leftover);
        } catch (const XbaseError&) {
            // A read-only folder keeps them; they are never read.
        }
    }
}

void Table::openIndex(const std::string& indexPath)
{
    for (int wait = 0;; ++wait) {
        index_ = CdxIndex::open(*this, fs_.open(indexPath, OpenFlags::ReadWrite));
        if (!index_->marked())
            return;
        // Marked by a program that stopped mid-change, or by one changing
        // it now: rebuilt only while no one else has the table open.
        const bool rebuilt = whileAlone([&] {
            try {
                rebuildIndex(index_->definitions());
            } catch (const XbaseError& e) {
                const bool readOnly = !index_->writable();
                index_.reset();
                throw XbaseError(CdxIndex::needsRebuildText(indexPath) +
                                 (readOnly ? ", and the file is read-only" : " (" + std::string(e.what()) + ")"));
            }
        });
        if (rebuilt)
            return;
        index_.reset();
        if (wait == kMarkWaits)
            throw XbaseError(CdxIndex::needsRebuildText(indexPath) + "; another program has the table open");
        std::this_thread::sleep_for(kMarkWaitStep);
    }
}

bool Table::whileAlone(const std::function<void()>& work)
{
    if (mode_ == OpenMode::Exclusive) {
        work();
        return true;
    }
    const auto shareAgain = [&] {
        // Trading the lock may have dropped it; an exclusive opener won the gap.
        if (!file_->tryLock(LockKind::Shared))
            throw XbaseError(path_ + ": the table is opened exclusively by another program");
    };
    if (!file_->tryLock(LockKind::Exclusive)) {
        shareAgain();
        return false;
    }
    try {
        work();
    } catch (...) {
        shareAgain();
        throw;
    }
    shareAgain();
    return true;
}

void Table::loadHeader()
{
    std::uint8_t head[kFileHeaderSize];
    if (file_->readAt(0, head, sizeof head) != sizeof head)
        throw XbaseError(path_ + ": the file is too short to be a table");
    version_ = head[kVersionOffset];
    count_ = readLe32(head + kCountOffset);
    headerLength_ = readLe16(head + kHeaderLengthOffset);
    recordLength_ = readLe16(head + kRecordLengthOffset);
    flags_ = head[kFlagsOffset];
    if (headerLength_ < kFileHeaderSize + kDescriptorSize + 1 || recordLength_ < 2)
        throw XbaseError(path_ + ": the table header is damaged (header length " + std::to_string(headerLength_) +
                         ", record length " + std::to_string(recordLength_) + ")");
    std::vector<std::uint8_t> header(headerLength_);
    if (file_->readAt(0, header.data(), header.size()) != header.size())
        throw XbaseError(path_ + ": the table header is cut short");
    std::uint32_t offset = 1;
    for (std::size_t pos = kFileHeaderSize; pos + kDescriptorSize <= header.size() && header[pos] != kTerminator;
         pos += kDescriptorSize) {
        const std::uint8_t* d = header.data() + pos;
        Field f;
        f.name.assign(reinterpret_cast<const char*>(d), strnlen(reinterpret_cast<const char*>(d), kNameSize));
        f.type = static_cast<char>(std::toupper(d[kTypeOffset]));
        f.length = d[kLengthOffset];
        f.decimals = d[kDecimalsOffset];
        f.offset = offset;
        offset += f.length;
        if (f.name.empty() || f.length == 0)
            throw XbaseError(path_ + ": field descriptor " + std::to_string(fields_.size() + 1) + " is damaged");
        fields_.push_back(std::move(f));
    }
    if (fields_.empty())
        throw XbaseError(path_ + ": the table header describes no fields");
    if (offset > recordLength_)
        throw XbaseError(path_ + ": the fields (" + std::to_string(offset) + " bytes) do not fit the record length " +
                         std::to_string(recordLength_));
}

int Table::fieldIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (equalsNoCase(fields_[i].name, name))
            return static_cast<int>(i);
    return -1;
}

void Table::badRecord(std::uint32_t recno) const
{
    throw XbaseError(path_ + ": record " + std::to_string(recno) + " does not exist");
}

const std::uint8_t* Table::loadSegment(std::uint32_t segment) const
{
    Segment& s = segments_[segment];
    if (!s.bytes)
        s.bytes.reset(new std::uint8_t[std::size_t(kSegmentRecords) * recordLength_]);
    const std::uint32_t first = segment * kSegmentRecords;
    const std::uint32_t n = std::min(kSegmentRecords, count_ - first);
    file_->readExact(headerLength_ + std::uint64_t(first) * recordLength_, s.bytes.get(),
                     std::size_t(n) * recordLength_);
    s.loaded = true;
    return s.bytes.get();
}

void Table::forEachRecord(const std::function<void(std::uint32_t, const std::uint8_t*)>& visit) const
{
    // Small enough to stay in the processor's cache between read and use.
    constexpr std::size_t kRunBytes = 64 * 1024;
    const std::uint32_t runRecords = std::uint32_t(std::max<std::size_t>(1, kRunBytes / recordLength_));
    std::vector<std::uint8_t> run;
    for (std::uint32_t first = 0, segment = 0; first < count_; first += kSegmentRecords, ++segment) {
        const std::uint32_t end = first + std::min(kSegmentRecords, count_ - first);
        if (segments_[segment].loaded) {
            const std::uint8_t* bytes = segments_[segment].bytes.get();
            for (std::uint32_t i = first; i < end; ++i)
                visit(i + 1, bytes + std::size_t(i - first) * recordLength_);
            continue;
        }
        run.resize(std::size_t(runRecords) * recordLength_);
        for (std::uint32_t from = first; from < end; from += runRecords) {
            const std::uint32_t n = std::min(runRecords, end - from);
            file_->readExact(headerLength_ + std::uint64_t(from) * recordLength_, run.data(),
                             std::size_t(n) * recordLength_);
            for (std::uint32_t i = 0; i < n; ++i)
                visit(from + i + 1, run.data() + std::size_t(i) * recordLength_);
        }
    }
}

std::vector<std::uint8_t> Table::blankRecord() const
{
    std::vector<std::uint8_t> rec(recordLength_, ' ');
    for (const Field& f : fields_)
        if (f.type == 'I' || (f.type == 'M' && f.length == 4))
            std::fill_n(rec.begin() + f.offset, f.length, 0);
    return rec;
}

std::string Table::fieldText(const std::uint8_t* rec, int field) const
{
    const Field& f = fields_.at(static_cast<std::size_t>(field));
    const char* p = reinterpret_cast<const char*>(rec + f.offset);
    switch (f.type) {
    case 'M':
        return memoText(rec, field);
    case 'I':
        return f.length == 4 ? std::to_string(static_cast<std::int32_t>(readLe32(rec + f.offset))) : std::string(p, f.length);
    case 'N':
    case 'F':
        return std::string(trimmed(std::string_view(p, f.length)));
    default:
        return std::string(p, f.length);
    }
}

void Table::setFieldText(std::uint8_t* rec, int field, std::string_view text)
{
    const Field& f = fields_.at(static_cast<std::size_t>(field));
    std::uint8_t* p = rec + f.offset;
    switch (f.type) {
    case 'M': {
        if (!memo_)
            throw XbaseError(path_ + ": field " + f.name + " has no memo file");
        requireWritableFiles();
        std::uint32_t oldBlock = memoBlock(rec, field);
        std::uint32_t block = memo_->write(oldBlock, text);
        if (f.length == 4) {
            writeLe32(p, block);
        } else {
            std::string digits = block == 0 ? std::string() : std::to_string(block);
            std::fill_n(p, f.length, ' ');
            std::memcpy(p + f.length - digits.size(), digits.data(), digits.size());
        }
        return;
    }
    case 'I': {
        std::int32_t value = 0;
        std::string_view t = trimmed(text);
        std::from_chars(t.data(), t.data() + t.size(), value);
        writeLe32(p, static_cast<std::uint32_t>(value));
        return;
    }
    case 'N':
    case 'F': {
        std::string_view t = trimmed(text);
        std::fill_n(p, f.length, ' ');
        if (t.size() > f.length)
            std::fill_n(p, f.length, '*');
        else
            std::memcpy(p + f.length - t.size(), t.data(), t.size());
        return;
    }
    default: {
        std::size_t n = std::min<std::size_t>(text.size(), f.length);
        std::memcpy(p, text.data(), n);
        std::fill(p + n, p + f.length, ' ');
    }
    }
}

std::uint32_t Table::memoBlock(const std::uint8_t* rec, int field) const
{
    const Field& f = fields_.at(static_cast<std::size_t>(field));
    const std::uint8_t* p = rec + f.offset;
    if (f.length == 4)
        return readLe32(p);
    std::string_view digits = trimmed(std::string_view(reinterpret_cast<const char*>(p), f.length));
    std::uint32_t block = 0;
    if (digits.empty())
        return 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), block);
    if (ec != std::errc() || end != digits.data() + digits.size())
        throw XbaseError(path_ + ": memo pointer \"" + std::string(digits) + "\" in field " + f.name +
                         " is not a block number");
    return block;
}

std::string Table::memoText(const std::uint8_t* rec, int field) const
{
    const Field& f = fields_.at(static_cast<std::size_t>(field));
    if (f.type != 'M' || !memo_)
        return {};
    return memo_->read(memoBlock(rec, field));
}

void Table::addListener(TableListener* listener) { listeners_.push_back(listener); }

void Table::removeListener(TableListener* listener)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Table::notifyListeners(std::uint32_t recno, const std::uint8_t* oldRec, const std::uint8_t* newRec)
{
    for (TableListener* l : listeners_)
        l->recordChanged(recno, oldRec, newRec);
}

void Table::flush()
{
    file_->sync();
    if (memo_)
        memo_->sync();
    if (index_)
        index_->sync();
}

}  // namespace xbase
