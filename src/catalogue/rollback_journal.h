#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/status_report.h"
#include "xbase/file.h"
#include "xbase/table.h"

namespace catalogue {

// Makes a change to several catalogue tables all-or-nothing as far as their
// rows go. Before the change, the journal file in the program directory
// receives each table's record count and the rows the change will
// overwrite (memo texts included), and is synced; the change is then made
// in place. commit() syncs the tables and removes the file: from then on
// the change stands. rollBack(), after a failure, or recover() at the next
// start when the file is still there, rewrites the kept rows, marks the
// rows appended since as deleted and rebuilds the index of every table
// that changed, because a write that failed part-way may have torn it.
// Rolling back twice does no harm, so an interrupted rollback is simply
// run again.
//
// File layout, integers little-endian:
//   0  kMagic                          4 bytes
//   4  length of the body              u32
//   8  FNV-1a checksum of the body     u32
//  12  body: table count (u32); per table: file-name length (u16), file
//      name, record count before (u32), record length (u16), row count
//      (u32); per row: record number (u32), the record's bytes, memo count
//      (u16); per memo: field number (u16), text length (u32), text.
// A file shorter than its header says, or failing its checksum, was cut
// short while it was written, before any table changed: it is discarded.
class RollbackJournal {
public:
    static constexpr std::string_view kFileName = "Vinora.jnl";
    static constexpr std::string_view kRestoringText = "Restoring the catalogue after an unfinished change ...";

    RollbackJournal(std::string programDir, xbase::FileSystem& fs);

    // Requires: before write(); each table once; the tables stay open until
    // commit() or until they are closed for rollBack(). Only the four
    // catalogue tables: their indexes are rebuilt by name.
    void keepTable(xbase::Table& table);
    // Requires: keepTable(table) before; 1 <= recno <= its record count.
    void keepRecord(xbase::Table& table, std::uint32_t recno);
    // Writes and syncs the file. Throws xbase::XbaseError; no table has
    // changed then, and the file is removed when it can be.
    void write();
    // Syncs the kept tables, then removes the file. Throws
    // xbase::XbaseError; the change must then be rolled back.
    void commit();
    // Puts the tables back as they were kept, then removes the file.
    // Requires: no kept table is open in this process (they are opened
    // exclusively). Throws xbase::XbaseError; the file then stays, to be
    // rolled back at the next start.
    void rollBack(const StatusReport& status) const;

    // Whether a journal file is in `programDir`.
    static bool pending(const std::string& programDir, xbase::FileSystem& fs);
    // Rolls back the journal left in `programDir`, if any; one cut short is
    // only removed. Returns whether tables were put back. Same requirement
    // and failures as rollBack().
    static bool recover(const std::string& programDir, xbase::FileSystem& fs, const StatusReport& status);

private:
    struct KeptRow {
        std::uint32_t recno = 0;
        std::vector<std::uint8_t> bytes;
        std::vector<std::pair<std::uint16_t, std::string>> memos;  // field number, text
    };
    struct KeptTable {
        std::string fileName;
        std::uint32_t countBefore = 0;
        std::uint16_t recordLength = 0;
        std::vector<KeptRow> rows;
        xbase::Table* table = nullptr;  // while the change runs
    };

    KeptTable& kept(const xbase::Table& table);
    std::string path() const;
    std::vector<std::uint8_t> encode() const;
    // False when `bytes` is not a whole journal.
    bool decode(const std::vector<std::uint8_t>& bytes);
    void restore(const KeptTable& kept, const StatusReport& status) const;
    std::shared_ptr<xbase::Table> openForRestore(const std::string& tablePath, bool& indexDropped) const;
    bool changed(const xbase::Table& table, const KeptTable& kept) const;

    std::string dir_;
    xbase::FileSystem& fs_;
    std::vector<KeptTable> tables_;
};

}  // namespace catalogue
