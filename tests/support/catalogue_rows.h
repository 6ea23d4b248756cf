#pragma once

#include <string>
#include <utility>
#include <vector>

namespace test_support {

using FieldValues = std::vector<std::pair<std::string, std::string>>;

// Appends a live row to the table file `dir`/`fileName` (ALBUMS.DBF,
// TRACKS.DBF, ...) with the given field values, the others blank, through
// the engine, so its index follows. The table is opened shared: a data
// module that has it open sees the row at once.
void appendRow(const std::string& dir, const std::string& fileName, const FieldValues& values);

// The live rows of PLAYLIST.DBF in `dir` as "ID/NR" texts (NR as stored),
// in the order of its Playlist tag.
std::vector<std::string> playlistRows(const std::string& dir);

}  // namespace test_support
