#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue_schema.h"

namespace catalogue {

class Catalogue;
class TableView;

inline constexpr std::string_view kCreatingDataFilesText = "Creating data files ...";
// Followed by the table's name without extension.
inline constexpr std::string_view kIndexDamagedText = "Index file damaged, rebuilding: ";
// The table's name without extension and " ..." follow.
inline constexpr std::string_view kCheckingIndexText =
    "Vinora did not close properly last time; checking the index of ";

// How closely start-up looks at an existing index: its headers only, or
// every page and entry against the table (after an unclean end, when a
// write may have been cut short anywhere).
enum class IndexCheck { Headers, Full };

// The start-up step that makes sure of the catalogue files, then opens the
// views. A table "exists" when a view on it is open or its file is in the
// program directory (name case ignored).
//  0. An index file of a table that is not open is damaged when its header
//     check finds problems, opening the table fails on it, it lacks a
//     catalogue tag, or (IndexCheck::Full, announced as "Vinora did not
//     close properly last time; checking the index of " + name + " ...")
//     the full check finds problems: "Index file damaged, rebuilding: " +
//     name, and it is deleted, so the steps below rebuild it like a
//     missing one.
//  1-4. A missing ALBUMS ("Creating data files ..." first), PLAYLIST,
//     TRACKS or ARTISTS is created empty, after deleting an index file left
//     under its name.
//  5. Without ALBUMS.CDX the TRACKS and PLAYLIST indexes are deleted too;
//     ALBUMS's tags are built (exclusively).
//  6. Without TRACKS.CDX its tags are built; currentAlbumTracks opens.
//  7. allTracks opens in order Tracks.
//  8. Without ARTISTS.CDX its tags are built; artists opens.
//  9. Without PLAYLIST.CDX its tags are built.
// 10. albums (Artist), playlist (Playlist), currentAlbumTracks (Tracks),
//     artists (ID) open at their first rows, and albumLookup in order ID
//     for the lookups.
// Tag building reports "Creating Index File for: " + name. Engine errors
// (xbase::XbaseError) are not caught: the step stops where it failed.
class CatalogueCreator {
public:
    CatalogueCreator(Catalogue& catalogue, IndexCheck check) : catalogue_(catalogue), check_(check) {}
    void run();

private:
    bool tableExists(const TableDef& def) const;
    std::string tablePath(const TableDef& def) const;
    std::string indexPath(const TableDef& def) const;
    bool indexExists(const TableDef& def) const;
    void removeIndex(const TableDef& def) const;
    void dropDamagedIndex(const TableDef& def) const;
    bool indexDamaged(const TableDef& def, const std::string& index) const;
    void createTable(const TableDef& def) const;
    void buildIndexesOf(const TableDef& def) const;
    static void openAtFirst(TableView& view, std::string_view order);

    Catalogue& catalogue_;
    IndexCheck check_;
};

}  // namespace catalogue
