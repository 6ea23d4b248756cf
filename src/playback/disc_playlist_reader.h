#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "playback/m3u_playlist.h"

namespace playback {

// A track number as stored in NR ("  4"); 0 when it holds no number.
int storedTrackNumber(std::string_view nr);

// Gathers what a CD playlist lists from the catalogue: the disc's tracks
// through allTracks and its marks through playlist.
class DiscPlaylistReader {
public:
    explicit DiscPlaylistReader(catalogue::Catalogue& catalogue);

    // The tracks and marks of disc `albumId` (its ID as stored), in ID+NR
    // order, with `artist` and `device` as given. Opens allTracks and
    // playlist when closed, puts them in their ID+NR orders and switches
    // their filters off. Throws xbase::XbaseError.
    DiscPlaylist read(const std::string& albumId, std::string artist, std::string device);

private:
    catalogue::Catalogue& catalogue_;
};

}  // namespace playback
