#include "playback/marks_store.h"

#include "playback/mark_entry.h"
#include "playback/marks_rewrite.h"

namespace playback {
namespace {

constexpr std::string_view kTracksOrder = "Tracks";
constexpr std::string_view kPlaylistOrder = "Playlist";
constexpr std::string_view kMissingTrack = "(no such track)";

}  // namespace

MarksStore::MarksStore(catalogue::Catalogue& catalogue) : catalogue_(catalogue) {}

PlaylistMarks MarksStore::load(const std::string& albumId)
{
    xbase::Cursor& tracks = catalogue_.allTracks().readyForSeeks(kTracksOrder);
    xbase::Cursor& playlist = catalogue_.playlist().readyForSeeks(kPlaylistOrder);
    PlaylistMarks marks;
    long lastLength = 0;
    for (bool more = tracks.seekValues({albumId}); more && tracks.field("ID") == albumId; more = tracks.next()) {
        const std::string nr = tracks.field("NR");
        lastLength = tracks.fieldInt("Secs");
        marks.setTrackLength(entryTrackNumber(nr), lastLength);
        if (!playlist.seekValues({albumId, nr}))
            marks.addAvailable(markEntry(nr, tracks.field("Track"), lastLength, kAvailableMinuteWidth));
    }
    for (bool more = playlist.seekValues({albumId}); more && playlist.field("ID") == albumId; more = playlist.next()) {
        const std::string nr = playlist.field("NR");
        if (tracks.seekValues({albumId, nr})) {
            const long length = tracks.fieldInt("Secs");
            marks.addMarked(markEntry(nr, tracks.field("Track"), length, kMarkedMinuteWidth), length);
        } else {
            marks.addMarked(markEntry(nr, kMissingTrack, 0, kMarkedMinuteWidth), 0);
        }
    }
    marks.finishLoading(lastLength > 0);
    return marks;
}

void MarksStore::save(const std::string& albumId, const PlaylistMarks& marks)
{
    catalogue::TableView& playlist = catalogue_.playlist();
    playlist.close();
    playlist.setExclusive(true);
    try {
        playlist.open();
        rewriteAlbumMarks(playlist->table(), albumId, marks.markedNumbers());
    } catch (...) {
        reopenShared();
        throw;
    }
    reopenShared();
}

void MarksStore::reopenShared()
{
    catalogue::TableView& playlist = catalogue_.playlist();
    playlist.close();
    playlist.setExclusive(false);
    playlist.open();
}

}  // namespace playback
