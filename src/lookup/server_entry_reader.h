#pragma once

#include <string_view>

#include "lookup/album_entry.h"

// Reading an xmcd entry line by line as a CDDB server sends it: a tolerant
// scanner that takes the revision, genre, year, track titles and extended
// data and ignores everything else (artist and album come from the query
// reply).
namespace lookup {

// What a server entry replaces, cleared before its first line: every track
// title, the notes, and the revision display ("0").
void startServerEntry(AlbumEntry& entry);

// Applies one line of the entry to `entry`. Titles go to the rows `entry`
// already has (a title for a track past them is dropped); continuation
// lines of a title are joined. A line ending the entry ("PLAY..." or the
// reply's ".") returns false; every other line, bad ones included, true.
// A trailing CR or LF is ignored.
bool readEntryLine(std::string_view line, AlbumEntry& entry);

}  // namespace lookup
