#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/disc_toc.h"

// The text of `Vinora.m3u`: extended m3u, CR LF line ends. Catalogue text
// goes in as it is stored (Windows-1252); file paths as the file system
// spells them, so a player can open them.
namespace playback {

inline constexpr std::string_view kPlaylistFileName = "Vinora.m3u";

// A track of the disc as TRACKS holds it (fields with their padding).
struct DiscTrack {
    int number;
    std::string secs;
    std::string title;
};

struct DiscPlaylist {
    std::string device;              // the CD path setting
    std::string artist;              // of the current album
    std::vector<DiscTrack> tracks;   // the disc's tracks in track order
    std::vector<int> marks;          // its marked track numbers in order
    platform::DiscToc toc;           // of the disc read last: where a cue image's tracks lie
};

// A CD playlist: an information line and a "cdda://DEVICE@N" line per
// entry. When the device is a cue sheet, a track the TOC holds is an
// "edl://%LEN%SHEET,START,LENGTH" line instead (seconds from the sheet's
// first track; the sheet's byte length between the "%"s), the form a player
// that reads cue sheets opens track by track. With `startTrack` 0 the marked tracks are listed (a mark naming
// no track of the disc is skipped); without marks, or from a double click
// (`startTrack` > 0), every track numbered `startTrack` or more.
std::string cdPlaylist(const DiscPlaylist& disc, int startTrack);

// A file playlist: one line per path, no information lines.
std::string filePlaylist(const std::vector<std::string>& paths);

// Replaces `path` with `text`: a new file beside it, renamed over it.
// Throws xbase::XbaseError when the file cannot be written.
void writePlaylist(const std::string& path, std::string_view text);

}  // namespace playback
