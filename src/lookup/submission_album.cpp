#include "lookup/submission_album.h"

#include "common/trim_and_case.h"

namespace lookup {

SubmissionAlbum loadSubmissionAlbum(catalogue::Catalogue& catalogue, const std::string& albumId)
{
    const xbase::Cursor& albums = catalogue.albums().cursor();
    SubmissionAlbum album{albums.fieldTrimmed("Artist"), albums.fieldTrimmed("Album"), albums.fieldTrimmed("YR"),
                          albums.fieldTrimmed("Genre"),  albums.fieldTrimmed("Rev"),   albums.memo("Notes"),
                          {}};

    catalogue::TableView& tracks = catalogue.allTracks();
    tracks.open();
    const std::string oldFilter = tracks->filterText();
    const bool wasFiltered = tracks->filtered();
    tracks.setFilter("ID=\"" + albumId + "\"");
    tracks.setFiltered(true);
    for (bool ok = tracks->first(); ok; ok = tracks->next())
        album.trackTitles.emplace_back(common::trimmed(tracks->field("Track")));
    tracks.setFilter(oldFilter);
    tracks.setFiltered(wasFiltered);
    return album;
}

}  // namespace lookup
