#pragma once

#include <string>
#include <string_view>

#include "catalogue/status_report.h"
#include "catalogue/table_view.h"

namespace catalogue {

// The catalogue: its table views, owned for the whole run.
//
//   albums              ALBUMS.DBF   the main grid's albums; order Artist
//   currentAlbumTracks  TRACKS.DBF   the current album's tracks: detail of
//                                    albums through ID; order Tracks
//   playlist            PLAYLIST.DBF marked tracks; order Playlist
//   artists             ARTISTS.DBF  artist search; order ID; lookups Album
//                                    (50) and Label (55) from albumLookup by ID
//   albumLookup         ALBUMS.DBF   second albums cursor (searches,
//                                    identifiers, lookups); the report writer
//                                    points it at temp.dbf and back
//   allTracks           TRACKS.DBF   every track; order Tracks; lookups album
//                                    (40) and Artist (40) from albumLookup by ID
//   tracksView          TVIEW.DBF    the tracks view's work table, exclusive;
//                                    made and opened by the tracks view
//
// Lookups find their row through albumLookup's current order, so it must be
// in order ID while they are read (start-up leaves it so).
class Catalogue {
public:
    // Views on the files of `programDir`, all closed, opened through `fs`.
    explicit Catalogue(std::string programDir, xbase::FileSystem& fs = xbase::defaultFileSystem());
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const std::string& programDir() const { return dir_; }
    xbase::FileSystem& fileSystem() const { return fs_; }

    // Progress texts of catalogue work go here (the main window's status bar).
    void setStatusReport(StatusReport report) { status_ = std::move(report); }
    void status(const std::string& text) const;
    // What the user must be told goes here; may be called from the thread
    // that runs the start-up step.
    void setNoticeReport(NoticeReport report) { notice_ = std::move(report); }
    void notice(const std::string& text) const;

    // The start-up step: sets the run mark (see RunMark), clears away empty
    // and orphaned files (see CatalogueFileRepair), puts back a change of
    // several tables that did not finish (see RollbackJournal), then
    // creates missing tables, deletes damaged index files, builds missing
    // indexes and opens albums, currentAlbumTracks, playlist, artists, allTracks
    // and albumLookup at their first rows (see CatalogueCreator). When the
    // mark was already there the last run did not close cleanly, and every
    // index gets the full check. Throws xbase::XbaseError when a file
    // cannot be made or opened.
    void createMissingFilesAndOpenViews();

    // The clean end of a run: syncs the tables of the open views, then
    // removes the run mark, so the next start trusts the indexes; after a
    // start-up step that failed the mark stays (its checks may be half
    // done). Views stay open. Call it last when the program closes, once
    // nothing writes to the catalogue. Throws xbase::XbaseError (the mark
    // then stays).
    void closeCleanly();

    // The identifier for the next album not read from a disc ("z0000042"
    // after "z0000041"). Moves albumLookup to order ID, filter off, opening
    // it if needed; albums is not touched. Throws xbase::XbaseError past
    // z9999999.
    std::string nextManualAlbumId();

    // Whether some view is open on the file `fileName` (case ignored).
    bool isFileOpen(std::string_view fileName) const;

    TableView& albums() { return albums_; }
    TableView& currentAlbumTracks() { return currentAlbumTracks_; }
    TableView& playlist() { return playlist_; }
    TableView& artists() { return artists_; }
    TableView& albumLookup() { return albumLookup_; }
    TableView& allTracks() { return allTracks_; }
    TableView& tracksView() { return tracksView_; }

private:
    std::string dir_;
    xbase::FileSystem& fs_;
    StatusReport status_;
    NoticeReport notice_;
    bool opened_ = false;  // the start-up step ran to its end
    // Sources before the views that link to them.
    TableView albums_;
    TableView albumLookup_;
    TableView currentAlbumTracks_;
    TableView playlist_;
    TableView artists_;
    TableView allTracks_;
    TableView tracksView_;
};

}  // namespace catalogue
