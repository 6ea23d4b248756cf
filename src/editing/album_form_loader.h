#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "editing/album_form_data.h"
#include "lookup/album_entry.h"

// How openers fill the edit form.
namespace editing {

// Modify: the current album of albums in EditMode::Modify with its
// caption; its tracks in number order ("  1", its length as " 4:05", its
// title) and `runningSeconds` the album's time: each track with a length
// counts its seconds plus 2 for the gap, less the 2 after the last. An
// empty Sys gives the source "M", an empty Rev the revision "0".
// Requires: albums open on a record. Throws xbase::XbaseError.
AlbumFormData loadCurrentAlbum(catalogue::Catalogue& catalogue, long& runningSeconds);

// The reset before a new entry: label, media, index, notes and year
// emptied, the genre set to `defaultGenre`, revision "0", source "F"; the
// mode and its caption set. Artist, album and tracks are left as they are.
void resetForNewEntry(AlbumFormData& data, lookup::EditMode mode, const std::string& defaultGenre);

// A disc lookup's or a pasted entry's content into the form: artist, album,
// genre, year, revision, notes and tracks.
void fillFromEntry(AlbumFormData& data, const lookup::AlbumEntry& entry);

// The caption the openers set for `mode`.
std::string_view captionOf(lookup::EditMode mode);

// The notes summary: the number of lines and the first one ("" has none;
// a line end at the very end starts no line).
std::size_t notesLineCount(std::string_view notes);
std::string firstNotesLine(std::string_view notes);

}  // namespace editing
