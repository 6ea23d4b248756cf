#pragma once

#include <cstdint>
#include <string>

#include "catalogue/catalogue_schema.h"

namespace catalogue {

class Catalogue;

// The start-up step before the catalogue files are checked and created: it
// clears away what a cut-short first start, a full disk or a lost file left,
// so that creation never stops on it and never overwrites data.
//  - A table file of 0 bytes holds nothing: it is removed and so made anew.
//  - Beside a missing table, a memo file that holds anything is renamed
//    NAME.FPT.orphaned-YYYYMMDD-HHMMSS (the user is told where it is); an
//    empty one is removed. Creating the table would overwrite it.
//  - A table whose memo file is missing or empty gets an empty one, and
//    rows pointing into the lost file point nowhere (else a new note would
//    show under another row); the user is told how many rows lost notes.
// Messages go to the catalogue's notice report. Throws xbase::XbaseError
// when a file cannot be read, renamed or written.
class CatalogueFileRepair {
public:
    explicit CatalogueFileRepair(Catalogue& catalogue) : catalogue_(catalogue) {}
    void run() const;

private:
    bool isEmptyFile(const std::string& path) const;
    void removeEmptyTable(const TableDef& def) const;
    void setOrphanAside(const TableDef& def) const;
    void replaceLostMemoFile(const TableDef& def) const;
    // Clears the memo pointers of every row; returns how many live rows had one.
    std::uint32_t clearMemoPointers(const std::string& tablePath) const;

    Catalogue& catalogue_;
};

}  // namespace catalogue
