#include "playback/disc_playlist_reader.h"

#include <charconv>

#include "common/trim_and_case.h"

namespace playback {
namespace {

constexpr std::string_view kTracksOrder = "Tracks";
constexpr std::string_view kPlaylistOrder = "Playlist";

}  // namespace

int storedTrackNumber(std::string_view nr)
{
    nr = common::trimmed(nr);
    int number = 0;
    std::from_chars(nr.data(), nr.data() + nr.size(), number);
    return number;
}

DiscPlaylistReader::DiscPlaylistReader(catalogue::Catalogue& catalogue) : catalogue_(catalogue) {}

DiscPlaylist DiscPlaylistReader::read(const std::string& albumId, std::string artist, std::string device)
{
    DiscPlaylist disc{std::move(device), std::move(artist), {}, {}, {}};
    xbase::Cursor& tracks = catalogue_.allTracks().readyForSeeks(kTracksOrder);
    for (bool more = tracks.seekValues({albumId}); more && tracks.field("ID") == albumId; more = tracks.next())
        disc.tracks.push_back({storedTrackNumber(tracks.field("NR")), tracks.field("Secs"), tracks.field("Track")});
    xbase::Cursor& playlist = catalogue_.playlist().readyForSeeks(kPlaylistOrder);
    for (bool more = playlist.seekValues({albumId}); more && playlist.field("ID") == albumId; more = playlist.next())
        disc.marks.push_back(storedTrackNumber(playlist.field("NR")));
    return disc;
}

}  // namespace playback
