#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "playback/playlist_marks.h"

namespace playback {

// Reads and writes an album's marks: PLAYLIST rows through playlist,
// track titles and lengths through allTracks (both in their ID+NR orders).
class MarksStore {
public:
    explicit MarksStore(catalogue::Catalogue& catalogue);

    // The marking dialog's lists for album `albumId` (its ID as stored):
    // unmarked tracks from TRACKS, marked ones from PLAYLIST; a mark whose
    // track is gone shows its NR and "(no such track)". The running time is
    // shown when the album's last track has a length. Opens allTracks and
    // playlist when closed and switches their filters off. Throws
    // xbase::XbaseError.
    PlaylistMarks load(const std::string& albumId);

    // Makes the marked entries of `marks` the album's PLAYLIST rows, in list
    // order, and packs the table (see rewriteAlbumMarks). playlist is
    // closed, opened exclusively for the change and opened shared again.
    // Throws xbase::XbaseError, the album keeping its old marks, when
    // another program has PLAYLIST open or the files cannot be written.
    void save(const std::string& albumId, const PlaylistMarks& marks);

private:
    void reopenShared();

    catalogue::Catalogue& catalogue_;
};

}  // namespace playback
