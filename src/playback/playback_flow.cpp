#include "playback/playback_flow.h"

#include <filesystem>

#include "common/trim_and_case.h"
#include "playback/disc_playlist_reader.h"
#include "playback/m3u_playlist.h"
#include "playback/playlist_files.h"

namespace playback {

PlaybackFlow::PlaybackFlow(catalogue::Catalogue& catalogue, const settings::ProgramSettings& settings,
                           common::LookupState& state, lookup::CdFinder& finder, lookup::ErrorBox showError)
    : catalogue_(catalogue), settings_(settings), state_(state), finder_(finder), showError_(std::move(showError))
{
}

std::string PlaybackFlow::playlistPath() const
{
    return (std::filesystem::path(catalogue_.programDir()) / kPlaylistFileName).string();
}

std::optional<PlayerLaunch> PlaybackFlow::playCurrentAlbum()
{
    xbase::Cursor& album = catalogue_.albums().cursor();
    if (!album.eof()) {
        const FilePlaylistSource files =
            filePlaylistSource(album.field("Media"), album.field("Label"), album.memo("Notes"));
        if (!files.paths.empty()) {
            writePlaylist(playlistPath(), filePlaylist(files.paths));
            return PlayerLaunch{"", playlistPath()};
        }
        if (files.windowsLabel) {
            showError_(kWindowsLabelMessage + album.fieldTrimmed("Label"));
            return std::nullopt;
        }
    }
    if (!finder_.findCdInCollection(true))
        return std::nullopt;
    return writeDiscPlaylist(0);
}

std::optional<PlayerLaunch> PlaybackFlow::playDiscFrom(std::string_view nr)
{
    if (state_.currentAlbumId.empty() && !finder_.findCdInCollection(true))
        return std::nullopt;
    return writeDiscPlaylist(storedTrackNumber(nr));
}

PlayerLaunch PlaybackFlow::writeDiscPlaylist(int startTrack)
{
    xbase::Cursor& album = catalogue_.albums().cursor();
    const std::string artist = album.eof() ? std::string() : album.field("Artist");
    DiscPlaylist disc = DiscPlaylistReader(catalogue_).read(state_.currentAlbumId, artist, localPath(settings_.cdPath));
    disc.toc = state_.currentToc;
    writePlaylist(playlistPath(), cdPlaylist(disc, startTrack));
    const std::string player = localPath(common::trimmed(settings_.player));
    std::error_code ec;
    const bool playerFound = !player.empty() && std::filesystem::is_regular_file(player, ec);
    return PlayerLaunch{playerFound ? player : "", playlistPath()};
}

}  // namespace playback
