#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/rollback_journal.h"
#include "editing/album_form_data.h"

namespace editing {

struct SaveResult {
    enum class Status {
        Saved,
        DuplicateId,  // a new album whose ID is in ALBUMS: nothing written
        NoId,         // a new album from the drive without a disc ID: nothing written
        NotSaved,     // a write failed; the catalogue is as it was
        NotUndone,    // a write failed and so did the undo: the journal stays for the next start
    };
    Status status = Status::Saved;
    std::string id;         // the album's ID
    std::string error;      // NotSaved, NotUndone: what failed
    std::string undoError;  // NotUndone: why the undo failed
};

// Writes the edit form's album into the catalogue, all or nothing:
//  - ALBUMS: in Modify the album's row (found by its ID) is rewritten,
//    else a row is appended and albums moves to it: Artist, Album, Genre
//    (trimmed, lower case), Label, Media (the code), YR, IX, Notes, Sys,
//    Rev ("~" above code 126) and ID (the next manual ID in
//    EditMode::AddOther, the disc ID in EditMode::AddFromDrive, unchanged
//    in Modify).
//  - TRACKS: in Modify only the titles of the album's rows change, in
//    number order, one grid row each (NR and Secs stay); else one row per
//    grid row: NR "  1", Secs from the time cell, the trimmed title.
//  - ARTISTS: the album's rows are deleted, then one row per track whose
//    title names its artist when the album is multi-artist, else one row
//    with a blank NR and the album's artist.
// The rows a save overwrites are kept in a RollbackJournal first. When a
// write fails, the views on the three tables are closed, the journal puts
// the tables back and the views open again, albums on the album it
// stood on; the journal that could not be rolled back stays for the next
// start. A journal left by an earlier failure is rolled back before a save
// begins. The tracks view's work table is deleted before the writes.
class AlbumSaver {
public:
    explicit AlbumSaver(catalogue::Catalogue& catalogue) : catalogue_(catalogue) {}

    // `discId` is the ID of a new album from the drive.
    // Requires: albums open.
    SaveResult save(const AlbumFormData& data, const std::string& discId);

private:
    // The rows a save overwrites, kept in the journal before any write.
    struct KeptRows {
        std::uint32_t album = 0;  // 0 for a new album
        std::vector<std::uint32_t> tracks;
        std::vector<std::uint32_t> artists;
        std::optional<catalogue::RollbackJournal> journal;
    };

    // Rolls back what an earlier failed save left; false, with `result`
    // NotUndone, when that fails.
    bool recoverEarlierSave(std::uint32_t recnoBefore, SaveResult& result);
    // Settles the album's ID and journals the rows the writes will change;
    // nothing, with `result` saying why, when the save stops here.
    std::optional<KeptRows> journalRows(const AlbumFormData& data, const std::string& discId, SaveResult& result);
    // The writes; a failure rolls them back through the journal.
    void writeRows(const AlbumFormData& data, KeptRows& kept, std::uint32_t recnoBefore, SaveResult& result);
    std::string albumId(const AlbumFormData& data, const std::string& discId);
    void removeTrackViewTable();
    // Rewrites record `recno`, or appends one when it is 0; returns it.
    static std::uint32_t writeAlbum(xbase::Table& albums, const AlbumFormData& data, const std::string& id,
                                    std::uint32_t recno);
    static void writeTracks(xbase::Table& tracks, const AlbumFormData& data, const std::string& id,
                            const std::vector<std::uint32_t>& existing);
    static void writeArtists(xbase::Table& artists, const AlbumFormData& data, const std::string& id,
                             const std::vector<std::uint32_t>& existing);
    // Runs `undo` with the views on the three tables closed.
    template <class Undo>
    void withViewsClosed(std::uint32_t albumRecno, Undo undo);

    catalogue::Catalogue& catalogue_;
};

}  // namespace editing
