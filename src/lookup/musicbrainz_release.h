#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lookup/album_entry.h"

// Releases read from the JSON documents of MusicBrainz's web service: a
// disc ID's document, a look-up by TOC, a search and a single release.
namespace lookup {

struct MusicBrainzRelease {
    std::string id;  // the release's MusicBrainz identifier
    std::string date;
    std::string country;
    std::string barcode;
    std::string format;    // of the medium taken, "CD" as MusicBrainz names it
    int trackCount = 0;    // of the medium taken
    // False only when the release says the Cover Art Archive has no front
    // cover for it (searches do not say).
    bool frontCover = true;
    // Some letters of the artist, album or titles have no Windows-1252
    // form and became "?".
    bool lossy = false;
    // As the edit form shows it (Windows-1252): artist (the credits joined
    // as MusicBrainz writes them), album (with " (disc N)" or
    // " (disc N: TITLE)" when the release has several media), year; one row per track of the
    // medium taken, "Artist / Title" where the track's artists are not the
    // release's, its length from the track's; genre left empty.
    AlbumEntry entry;
};

struct MusicBrainzReading {
    std::vector<MusicBrainzRelease> releases;
    // Why the document could not be read; "" when it was.
    std::string error;
};

// The most releases one document gives and the most tracks a release
// keeps; documents beyond that are not shaped as the web service writes.
inline constexpr std::size_t kMaxMusicBrainzReleases = 100;
inline constexpr std::size_t kMaxMusicBrainzTracks = 99;

// The releases of `json`. The medium taken of each is the one holding disc
// `discId`, else the first with `trackCount` tracks (when not 0), else the
// first. A search's releases have no tracks. Bad input gives `error`,
// never an exception.
MusicBrainzReading readMusicBrainzReleases(std::string_view json, std::string_view discId = {}, int trackCount = 0);

// Takes `release` into the edit form's `entry` as `mode` needs it. A new
// album takes the artist, album and year; an album not in the drive takes
// the release's rows, while a disc in the drive and an album whose titles
// are updated keep their rows (lengths from the disc) and take the titles
// by position.
void takeRelease(const MusicBrainzRelease& release, EditMode mode, AlbumEntry& entry);

// What the user is told when `release` has not `rows` tracks and its titles
// are taken in order into an album's rows; "" when the counts agree.
std::string trackCountNotice(const MusicBrainzRelease& release, std::size_t rows);

// One line of the choice among several releases (Windows-1252):
// "Artist / Album (date, country, format, N tracks, barcode)", leaving out
// what MusicBrainz does not know.
std::string musicBrainzMatchText(const MusicBrainzRelease& release);

}  // namespace lookup
