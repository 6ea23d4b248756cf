#pragma once

#include <string>
#include <vector>

#include "editing/album_detail.h"

// The album's track list in the playlist form a CD-R labeling program
// pastes or opens.
namespace editing {

inline const std::string kLabelerListFile = "Labeler.txt";

// The list's lines (Windows-1252): the album's type, title, artist, track
// count and playing time, then one line per track ("Audio" or "Data",
// artist, title, time, each in double quotes). On a multi-artist album a
// title "singer / song" puts the singer in the artist column.
std::vector<std::string> labelerList(const AlbumDetail& album);

// Writes `lines` to `path` with CR LF ends through a temporary file
// renamed into place. Throws xbase::XbaseError when it cannot be written
// (an older file stays as it was).
void writeLabelerList(const std::string& path, const std::vector<std::string>& lines);

}  // namespace editing
