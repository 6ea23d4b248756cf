#include "catalogue/rollback_journal.h"

#include <algorithm>
#include <cstring>

#include "catalogue/index_builder.h"
#include "catalogue/program_files.h"
#include "xbase/byte_order.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace catalogue {
namespace {

constexpr char kMagic[4] = {'V', 'N', 'J', '1'};
constexpr std::size_t kMagicSize = sizeof kMagic;
constexpr std::size_t kBodyLengthOffset = 4;
constexpr std::size_t kChecksumOffset = 8;
constexpr std::size_t kHeaderSize = 12;

std::uint32_t checksum(const std::uint8_t* data, std::size_t n)
{
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < n; ++i) {
        hash ^= data[i];
        hash *= 16777619u;
    }
    return hash;
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class Writer {
public:
    void u16(std::uint16_t v)
    {
        std::uint8_t b[2];
        xbase::writeLe16(b, v);
        bytes_.insert(bytes_.end(), b, b + 2);
    }
    void u32(std::uint32_t v)
    {
        std::uint8_t b[4];
        xbase::writeLe32(b, v);
        bytes_.insert(bytes_.end(), b, b + 4);
    }
    void raw(const void* data, std::size_t n)
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + n);
    }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads the body; every read checks the bounds and reports a short body.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool u16(std::uint16_t& v)
    {
        if (!has(2))
            return false;
        v = xbase::readLe16(data_ + at_);
        at_ += 2;
        return true;
    }
    bool u32(std::uint32_t& v)
    {
        if (!has(4))
            return false;
        v = xbase::readLe32(data_ + at_);
        at_ += 4;
        return true;
    }
    bool raw(std::size_t n, const std::uint8_t*& p)
    {
        if (!has(n))
            return false;
        p = data_ + at_;
        at_ += n;
        return true;
    }
    bool atEnd() const { return at_ == size_; }

private:
    bool has(std::size_t n) const { return size_ - at_ >= n; }
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace

RollbackJournal::RollbackJournal(std::string programDir, xbase::FileSystem& fs) : dir_(std::move(programDir)), fs_(fs)
{
}

std::string RollbackJournal::path() const { return joinPath(dir_, kFileName); }

void RollbackJournal::keepTable(xbase::Table& table)
{
    KeptTable t;
    t.fileName = fileNameOf(table.path());
    t.countBefore = table.recordCount();
    t.recordLength = table.recordLength();
    t.table = &table;
    tables_.push_back(std::move(t));
}

RollbackJournal::KeptTable& RollbackJournal::kept(const xbase::Table& table)
{
    for (KeptTable& t : tables_)
        if (t.table == &table)
            return t;
    throw xbase::XbaseError(table.path() + ": not kept in the journal " + path());
}

void RollbackJournal::keepRecord(xbase::Table& table, std::uint32_t recno)
{
    KeptTable& t = kept(table);
    const std::uint8_t* rec = table.record(recno);
    KeptRow row;
    row.recno = recno;
    row.bytes.assign(rec, rec + table.recordLength());
    const auto& fields = table.fields();
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (fields[f].type == 'M')
            row.memos.emplace_back(static_cast<std::uint16_t>(f), table.memoText(rec, static_cast<int>(f)));
    t.rows.push_back(std::move(row));
}

std::vector<std::uint8_t> RollbackJournal::encode() const
{
    Writer body;
    body.u32(static_cast<std::uint32_t>(tables_.size()));
    for (const KeptTable& t : tables_) {
        body.u16(static_cast<std::uint16_t>(t.fileName.size()));
        body.raw(t.fileName.data(), t.fileName.size());
        body.u32(t.countBefore);
        body.u16(t.recordLength);
        body.u32(static_cast<std::uint32_t>(t.rows.size()));
        for (const KeptRow& row : t.rows) {
            body.u32(row.recno);
            body.raw(row.bytes.data(), row.bytes.size());
            body.u16(static_cast<std::uint16_t>(row.memos.size()));
            for (const auto& [field, text] : row.memos) {
                body.u16(field);
                body.u32(static_cast<std::uint32_t>(text.size()));
                body.raw(text.data(), text.size());
            }
        }
    }
    Writer file;
    file.raw(kMagic, kMagicSize);
    file.u32(static_cast<std::uint32_t>(body.bytes().size()));
    file.u32(checksum(body.bytes().data(), body.bytes().size()));
    file.raw(body.bytes().data(), body.bytes().size());
    return std::move(file.bytes());
}

bool RollbackJournal::decode(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, kMagicSize) != 0)
        return false;
    const std::uint32_t length = xbase::readLe32(bytes.data() + kBodyLengthOffset);
    if (bytes.size() - kHeaderSize != length ||
        checksum(bytes.data() + kHeaderSize, length) != xbase::readLe32(bytes.data() + kChecksumOffset))
        return false;
    Reader in(bytes.data() + kHeaderSize, length);
    std::uint32_t tableCount = 0;
    if (!in.u32(tableCount))
        return false;
    std::vector<KeptTable> tables;
    for (std::uint32_t i = 0; i < tableCount; ++i) {
        KeptTable t;
        std::uint16_t nameLength = 0;
        const std::uint8_t* p = nullptr;
        std::uint32_t rowCount = 0;
        if (!in.u16(nameLength) || !in.raw(nameLength, p))
            return false;
        t.fileName.assign(reinterpret_cast<const char*>(p), nameLength);
        if (!in.u32(t.countBefore) || !in.u16(t.recordLength) || !in.u32(rowCount))
            return false;
        for (std::uint32_t r = 0; r < rowCount; ++r) {
            KeptRow row;
            std::uint16_t memoCount = 0;
            if (!in.u32(row.recno) || !in.raw(t.recordLength, p))
                return false;
            row.bytes.assign(p, p + t.recordLength);
            if (!in.u16(memoCount))
                return false;
            for (std::uint16_t m = 0; m < memoCount; ++m) {
                std::uint16_t field = 0;
                std::uint32_t textLength = 0;
                if (!in.u16(field) || !in.u32(textLength) || !in.raw(textLength, p))
                    return false;
                row.memos.emplace_back(field, std::string(reinterpret_cast<const char*>(p), textLength));
            }
            t.rows.push_back(std::move(row));
        }
        tables.push_back(std::move(t));
    }
    if (!in.atEnd())
        return false;
    tables_ = std::move(tables);
    return true;
}

void RollbackJournal::write()
{
    const std::vector<std::uint8_t> bytes = encode();
    try {
        auto file = fs_.open(path(), xbase::OpenFlags::Create);
        file->truncate(0);
        file->writeAt(0, bytes.data(), bytes.size());
        file->sync();
    } catch (const xbase::XbaseError&) {
        try {
            fs_.remove(path());
        } catch (const xbase::XbaseError&) {
            // Left cut short, it is discarded at the next start.
        }
        throw;
    }
}

void RollbackJournal::commit()
{
    for (const KeptTable& t : tables_)
        t.table->flush();
    fs_.remove(path());
}

void RollbackJournal::rollBack(const StatusReport& status) const
{
    if (status)
        status(std::string(kRestoringText));
    for (const KeptTable& t : tables_)
        restore(t, status);
    fs_.remove(path());
}

bool RollbackJournal::pending(const std::string& programDir, xbase::FileSystem& fs)
{
    return fs.exists(joinPath(programDir, kFileName));
}

bool RollbackJournal::recover(const std::string& programDir, xbase::FileSystem& fs, const StatusReport& status)
{
    RollbackJournal journal(programDir, fs);
    if (!fs.exists(journal.path()))
        return false;
    std::vector<std::uint8_t> bytes;
    {
        auto file = fs.open(journal.path(), xbase::OpenFlags::ReadWrite);
        bytes.resize(static_cast<std::size_t>(file->size()));
        file->readExact(0, bytes.data(), bytes.size());
    }
    if (!journal.decode(bytes)) {
        fs.remove(journal.path());
        return false;
    }
    journal.rollBack(status);
    return true;
}

// An index that no longer opens was torn by the failed change: it goes,
// and is rebuilt once the rows are back.
std::shared_ptr<xbase::Table> RollbackJournal::openForRestore(const std::string& tablePath, bool& indexDropped) const
{
    const std::string index = xbase::siblingPath(fs_, tablePath, "cdx");
    try {
        return xbase::Table::open(tablePath, xbase::OpenMode::Exclusive, fs_);
    } catch (const xbase::XbaseError& e) {
        if (!std::string_view(e.what()).starts_with(index + ":") || !fs_.exists(index))
            throw;
    }
    fs_.remove(index);
    indexDropped = true;
    return xbase::Table::open(tablePath, xbase::OpenMode::Exclusive, fs_);
}

bool RollbackJournal::changed(const xbase::Table& table, const KeptTable& kept) const
{
    if (table.recordCount() != kept.countBefore)
        return true;
    for (const KeptRow& row : kept.rows) {
        const std::uint8_t* rec = table.record(row.recno);
        if (std::memcmp(rec, row.bytes.data(), row.bytes.size()) != 0)
            return true;
        for (const auto& [field, text] : row.memos) {
            try {
                if (table.memoText(rec, field) != text)
                    return true;
            } catch (const xbase::XbaseError&) {
                return true;
            }
        }
    }
    return false;
}

// The index is dropped before the rows go back, so that no write passes
// through a tree the failed change may have left half-updated.
void RollbackJournal::restore(const KeptTable& kept, const StatusReport& status) const
{
    // A table deleted since has nothing to put back; the start-up makes a
    // new one.
    const std::string tablePath = findFileNoCase(dir_, kept.fileName);
    if (tablePath.empty())
        return;
    bool indexDropped = false;
    auto table = openForRestore(tablePath, indexDropped);
    if (table->recordLength() != kept.recordLength || table->recordCount() < kept.countBefore)
        throw xbase::XbaseError(tablePath + ": no longer the table whose rows " + path() + " kept");
    const auto& fields = table->fields();
    for (const KeptRow& row : kept.rows) {
        bool valid = row.recno >= 1 && row.recno <= kept.countBefore;
        for (const auto& memo : row.memos)
            valid = valid && memo.first < fields.size() && fields[memo.first].type == 'M';
        if (!valid)
            throw xbase::XbaseError(path() + ": damaged (record " + std::to_string(row.recno) + " of " + kept.fileName +
                                    ")");
    }
    // A table without its index gets it back even when its rows are fine.
    if (!indexDropped && table->index() && !changed(*table, kept))
        return;
    if (table->index()) {
        table.reset();
        fs_.remove(xbase::siblingPath(fs_, tablePath, "cdx"));
        table = xbase::Table::open(tablePath, xbase::OpenMode::Exclusive, fs_);
    }
    for (const KeptRow& row : kept.rows) {
        std::vector<std::uint8_t> rec = row.bytes;
        for (const auto& [field, text] : row.memos) {
            bool same = false;
            try {
                same = table->memoText(rec.data(), field) == text;
            } catch (const xbase::XbaseError&) {
            }
            if (!same)
                table->setFieldText(rec.data(), field, text);
        }
        table->write(row.recno, rec.data());
    }
    for (std::uint32_t recno = kept.countBefore + 1; recno <= table->recordCount(); ++recno)
        table->setDeleted(recno, true);
    buildIndexes(*table, status);
    table->flush();
}

}  // namespace catalogue
