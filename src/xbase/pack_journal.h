#pragma once

#include <string>

#include "xbase/file.h"

namespace xbase {

// Makes replacing a table's files (DBF, FPT, CDX) by freshly written ones
// all-or-nothing. The new files are written beside the old ones under the
// temporary stem, synced, then a marker file is written and synced; only
// then are they renamed over the old ones and the marker removed. A crash
// before the marker leaves the old files (the temporaries are discarded at
// the next open); a crash after it is finished at the next open. Every
// rename syncs the folder, so the outcome also survives a power cut.
class PackJournal {
public:
    PackJournal(FileSystem& fs, const std::string& tablePath);

    // The temporary table path ("ALBUMS.DBF" -> "ALBUMS~P.DBF").
    const std::string& tempTablePath() const { return tempPath_; }
    // Commits: marker, renames, marker removed.
    void commit();
    // Finishes or discards an interrupted pack of this table; true when it
    // replaced the table's files.
    bool recover();

private:
    void renameAll();
    void removeTemporaries();

    FileSystem& fs_;
    std::string path_;
    std::string tempPath_;
    std::string markerPath_;
};

}  // namespace xbase
