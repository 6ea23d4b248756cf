#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/field.h"
#include "xbase/file.h"

namespace xbase {

// `done` of `total` records handled, told now and then by long operations
// (from the thread that runs them).
using RecordProgress = std::function<void(std::size_t done, std::size_t total)>;
// How many records pass between two progress reports.
inline constexpr std::uint32_t kProgressRecords = 4096;

class CdxIndex;
class MemoFile;
struct CdxTagDefinition;

enum class OpenMode { Shared, Exclusive };

// Told of every record write, after the table holds the new record.
// Index tags and cursors keep themselves current through this.
class TableListener {
public:
    virtual ~TableListener() = default;
    // `oldRecord` is null for an appended record. Deletion and recall arrive
    // here too (byte 0 changes).
    virtual void recordChanged(std::uint32_t recno, const std::uint8_t* oldRecord,
                               const std::uint8_t* newRecord) = 0;
    // Record numbers changed wholesale (after a pack).
    virtual void tableReset() {}
};

// A DBF table (FoxPro 2.x layout) with its FPT memo file, if it has memo
// fields. Inside one process every open of a file shares one Table, so all
// cursors see each other's writes at once. Record numbers are 1-based.
// The record area is held in memory and written through on every change.
//
// A record change (append, write, setDeleted) is all-or-nothing across the
// DBF, the FPT and the CDX: when it throws, the table holds the old record
// and count again and the index is rebuilt (or, when that fails too, later
// changes are refused until it is). Memo text changes go to fresh blocks, so
// the record write is the point where a change takes effect. A program
// killed mid-change leaves the index marked; the next open rebuilds it.
// A table with a read-only file refuses every change with a message saying
// so, and is never replaced by writable files.
class Table : public RecordLayout {
public:
    // Creates an empty table, and its memo file when the list has a memo
    // field. The files are written and synced under temporary names, then
    // renamed into place, the DBF last: until it appears the table does not
    // exist, and a creation cut short leaves no table behind (its leftovers
    // go at the next create or open). Every file of that name goes: an
    // existing table is replaced along with its memo file and index, and an
    // FPT or CDX of that name without a table is replaced or removed.
    // Throws XbaseError (nothing changed) when the list is bad, the table
    // is open, or an existing file of that name is read-only.
    static void create(const std::string& path, const std::vector<FieldSpec>& fields,
                       FileSystem& fs = defaultFileSystem());

    // Opens a table, or joins the one this process already has open.
    // Exclusive fails while anyone (this process or another) has it open;
    // shared fails while someone holds it exclusively. An index left marked
    // half-updated is rebuilt first; when it cannot be (read-only, or
    // another program has the table open) the open fails with a message
    // naming the index file. Throws XbaseError.
    static std::shared_ptr<Table> open(const std::string& path, OpenMode mode,
                                       FileSystem& fs = defaultFileSystem());

    ~Table() override;
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& path() const { return path_; }
    FileSystem& fileSystem() const { return fs_; }
    OpenMode mode() const { return mode_; }

    // RecordLayout
    const std::vector<Field>& fields() const override { return fields_; }
    int fieldIndex(std::string_view name) const override;
    std::string memoText(const std::uint8_t* record, int field) const override;

    std::uint8_t version() const { return version_; }
    std::uint8_t headerFlags() const { return flags_; }
    // Sets header byte 28 (0x01: a structural index belongs to the table).
    void setHeaderFlags(std::uint8_t flags);
    std::uint32_t recordCount() const { return count_; }
    std::uint16_t recordLength() const { return recordLength_; }
    std::uint16_t headerLength() const { return headerLength_; }
    bool hasMemo() const { return memo_ != nullptr; }
    MemoFile* memoFile() const { return memo_.get(); }

    // Requires: 1 <= recno <= recordCount(). The pointer stays valid while
    // the table is open (until a pack). Throws XbaseError when the record
    // cannot be read.
    const std::uint8_t* record(std::uint32_t recno) const
    {
        if (recno < 1 || recno > count_)
            badRecord(recno);
        std::uint32_t i = recno - 1;
        const Segment& s = segments_[i / kSegmentRecords];
        return (s.loaded ? s.bytes.get() : loadSegment(i / kSegmentRecords)) +
               std::size_t(i % kSegmentRecords) * recordLength_;
    }
    bool isDeleted(std::uint32_t recno) const { return record(recno)[0] == '*'; }
    // Calls `visit` for every record in order, with the bytes record() would
    // give. Records not held yet are read a run at a time into one small
    // buffer and not kept: a whole-table pass then costs no fresh memory,
    // which is slow to touch, and leaves the cache as it was. The pointer is
    // valid during the call only. Requires: `visit` does not change the
    // table. Throws XbaseError when a record cannot be read.
    void forEachRecord(const std::function<void(std::uint32_t recno, const std::uint8_t* record)>& visit) const;

    // A blank record (deletion flag and every field blank).
    std::vector<std::uint8_t> blankRecord() const;
    // Appends `rec` (recordLength() bytes); returns its record number.
    // Throws XbaseError, leaving the table as it was.
    std::uint32_t append(const std::uint8_t* rec);
    // Replaces record `recno` with `rec`, writing only if it differs.
    // Throws XbaseError, leaving the record as it was.
    void write(std::uint32_t recno, const std::uint8_t* rec);
    void setDeleted(std::uint32_t recno, bool deleted);

    // Field access on a record buffer. Text of a character field keeps its
    // trailing blanks; N, D, L, I and F fields are shown as text; a memo
    // gives its full text.
    std::string fieldText(const std::uint8_t* rec, int field) const;
    // Sets a character-like field: cut at its width, blank-padded; numeric
    // fields right-aligned; I fields parsed as an integer. For a memo field
    // writes the memo (changed text to fresh blocks, now) and stores its
    // pointer; the stored record keeps its old text until it is written.
    void setFieldText(std::uint8_t* rec, int field, std::string_view text);

    // The structural compound index beside the table (ALBUMS.CDX for
    // ALBUMS.DBF), opened with the table when the file exists; else null.
    // It hears of every record change before the listeners do.
    CdxIndex* index() const { return index_.get(); }
    // Makes a new empty structural index (written beside and renamed over
    // the old file) and sets the header flag; add tags with
    // CdxIndex::createTag. Throws XbaseError.
    CdxIndex& createIndex();

    // Throws XbaseError naming the first of the table's files (DBF, FPT,
    // CDX) that is read-only.
    void requireWritableFiles() const;

    void addListener(TableListener* listener);
    void removeListener(TableListener* listener);

    // Writes cached changes and syncs the files to disk.
    void flush();

    // What a pack could not carry over: rows whose memo lay past the end of
    // a damaged memo file keep an empty memo; the old memo file is then
    // kept, byte for byte, at `keptMemoFile`.
    struct PackLosses {
        std::uint32_t rowsWithLostMemos = 0;
        std::string keptMemoFile;
    };

    // Removes deleted records, compacts the memo file (dropping the blocks
    // of replaced memos) and rebuilds every tag. New files are written and
    // synced beside the old ones, then swapped in all-or-nothing (an
    // interrupted pack is finished or undone at the next open).
    // Requires: opened exclusively. Throws XbaseError.
    PackLosses pack(const RecordProgress& progress = {});
    // Creates an empty table at `path` with the same fields (no tags).
    void copyStructure(const std::string& path) const;

private:
    Table(std::string path, FileSystem& fs, OpenMode mode);
    void load();
    void openFiles();
    void reopen();
    void loadHeader();
    // The temporary name create() writes the table under.
    static std::string creationPath(const std::string& path);
    // Leftovers of a creation or an index build that a killed program left.
    void removeLeftovers();
    void openIndex(const std::string& indexPath);
    // Runs `work` holding the table exclusively; false (nothing run) when
    // another program has it open.
    bool whileAlone(const std::function<void()>& work);
    void writeCountAndDate(std::uint32_t count);
    std::uint32_t memoBlock(const std::uint8_t* rec, int field) const;
    void notifyListeners(std::uint32_t recno, const std::uint8_t* oldRec, const std::uint8_t* newRec);

    // The write path (table_write.cpp).
    // Refuses a change the table cannot take now (read-only file, an undo
    // that failed, an index that still cannot be rebuilt).
    void prepareChange();
    // After a change threw: `putBack` restores the table file; then the
    // index is rebuilt or its mark cleared.
    void afterFailedChange(const std::function<void()>& putBack);
    void rebuildIndex(const std::vector<CdxTagDefinition>& tags);

    std::string path_;
    FileSystem& fs_;
    OpenMode mode_;
    std::unique_ptr<File> file_;
    std::unique_ptr<MemoFile> memo_;
    std::vector<Field> fields_;
    std::uint8_t version_ = 0x03;
    std::uint8_t flags_ = 0;
    std::uint32_t count_ = 0;
    std::uint16_t headerLength_ = 0;
    std::uint16_t recordLength_ = 0;
    bool dateWritten_ = false;
    // Set when a failed change could not be undone: the file may differ
    // from what this process holds, so no further change is made.
    std::string refusal_;
    // Records are read from disk in segments, on first use, and kept.
    static constexpr std::uint32_t kSegmentRecords = 4096;
    struct Segment {
        std::unique_ptr<std::uint8_t[]> bytes;  // room for kSegmentRecords records
        bool loaded = false;
    };
    const std::uint8_t* loadSegment(std::uint32_t segment) const;
    [[noreturn]] void badRecord(std::uint32_t recno) const;
    mutable std::vector<Segment> segments_;
    std::vector<TableListener*> listeners_;
    std::unique_ptr<CdxIndex> index_;
};

}  // namespace xbase
