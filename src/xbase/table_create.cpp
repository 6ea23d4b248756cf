// Creating a table, and a new index for it: the files are written under
// temporary names beside the final ones, synced, then renamed into place.
#include <cctype>

#include "xbase/byte_order.h"
#include "xbase/cdx_index.h"
#include "xbase/dbf_format.h"
#include "xbase/file_names.h"
#include "xbase/memo_file.h"
#include "xbase/table.h"
#include "xbase/table_registry.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace dbf;

// Header, descriptors and end-of-file byte of an empty table.
std::vector<std::uint8_t> emptyTable(const std::string& path, const std::vector<FieldSpec>& specs, bool& memo)
{
    memo = false;
    std::size_t recordLength = 1;
    for (const FieldSpec& f : specs) {
        memo = memo || f.type == 'M';
        recordLength += f.length;
    }
    if (recordLength > kMaxRecordLength)
        throw XbaseError(path + ": the fields are longer than a record may be");
    const std::size_t headerLength = kFileHeaderSize + kDescriptorSize * specs.size() + 2;
    std::vector<std::uint8_t> bytes(headerLength + 1, 0);
    bytes[kVersionOffset] = memo ? kVersionWithMemo : kVersionPlain;
    writeToday(bytes.data() + kDateOffset);
    writeLe16(bytes.data() + kHeaderLengthOffset, static_cast<std::uint16_t>(headerLength));
    writeLe16(bytes.data() + kRecordLengthOffset, static_cast<std::uint16_t>(recordLength));
    std::uint8_t* d = bytes.data() + kFileHeaderSize;
    for (const FieldSpec& f : specs) {
        for (std::size_t i = 0; i < f.name.size() && i < kNameSize - 1; ++i)
            d[i] = static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(f.name[i])));
        d[kTypeOffset] = static_cast<std::uint8_t>(f.type);
        d[kLengthOffset] = static_cast<std::uint8_t>(f.length);
        d[kDecimalsOffset] = f.decimals;
        d += kDescriptorSize;
    }
    bytes[headerLength - 2] = kTerminator;
    bytes[headerLength] = kEofMarker;
    return bytes;
}

void removeIfThere(FileSystem& fs, const std::string& path)
{
    if (fs.exists(path))
        fs.remove(path);
}

// A read-only file is refused, never swapped for a writable one.
void requireWritable(FileSystem& fs, const std::string& path)
{
    if (fs.exists(path) && !fs.open(path, OpenFlags::ReadWrite)->writable())
        throw XbaseError(path + ": the file is read-only");
}

}  // namespace

std::string Table::creationPath(const std::string& path) { return withStemSuffix(path, "~C"); }

void Table::create(const std::string& path, const std::vector<FieldSpec>& specs, FileSystem& fs)
{
    if (specs.empty())
        throw XbaseError(path + ": a table needs at least one field");
    if (TableRegistry::instance().find(fs.identity(path) + '\n' + std::to_string(reinterpret_cast<std::uintptr_t>(&fs))))
        throw XbaseError(path + ": cannot create the table while it is open");
    bool memo = false;
    const std::vector<std::uint8_t> image = emptyTable(path, specs, memo);
    const std::string memoPath = siblingPath(fs, path, "fpt");
    const std::string indexPath = siblingPath(fs, path, "cdx");
    const std::string temp = creationPath(path);
    const std::string tempMemo = siblingPath(fs, temp, "fpt");

    std::unique_ptr<File> old;
    if (fs.exists(path)) {
        old = fs.open(path, OpenFlags::ReadWrite);
        if (!old->writable())
            throw XbaseError(path + ": the file is read-only");
        if (!old->tryLock(LockKind::Exclusive))
            throw XbaseError(path + ": the table is in use by another program");
    }
    requireWritable(fs, memoPath);
    requireWritable(fs, indexPath);
    try {
        removeIfThere(fs, tempMemo);
        auto file = fs.open(temp, OpenFlags::Create);
        file->truncate(0);
        file->writeAt(0, image.data(), image.size());
        file->sync();
        if (memo) {
            auto memoFile = fs.open(tempMemo, OpenFlags::Create);
            MemoFile::initialize(*memoFile);
            memoFile->sync();
        }
    } catch (...) {
        try {
            removeIfThere(fs, temp);
            removeIfThere(fs, tempMemo);
        } catch (const XbaseError&) {
            // Removed at the next create or open.
        }
        throw;
    }
    // The old index first: it does not belong to the new table, and the old
    // table still opens without it. Then the old table goes, and the new
    // files take its place, the table itself last.
    removeIfThere(fs, indexPath);
    if (old)
        fs.remove(path);
    if (memo)
        fs.rename(tempMemo, memoPath);
    else
        removeIfThere(fs, memoPath);
    fs.rename(temp, path);
}

void Table::copyStructure(const std::string& path) const
{
    std::vector<FieldSpec> specs;
    for (const Field& f : fields_)
        specs.push_back({f.name, f.type, f.length, f.decimals});
    create(path, specs, fs_);
}

CdxIndex& Table::createIndex()
{
    requireWritableFiles();
    rebuildIndex({});
    setHeaderFlags(flags_ | kStructuralIndexFlag);
    return *index_;
}

}  // namespace xbase
