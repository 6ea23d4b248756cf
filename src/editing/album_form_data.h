#pragma once

#include <string>
#include <vector>

#include "catalogue/album_codes.h"
#include "lookup/album_entry.h"

namespace editing {

// What the album edit form holds, apart from its window: the opener fills
// it, the window shows it and hands it back on OK. Texts are Windows-1252,
// as the catalogue holds them.
struct AlbumFormData {
    lookup::EditMode mode = lookup::EditMode::AddOther;
    // Modify: the ID of the album being changed; the save finds it by this
    // ID, wherever the albums grid stands by then.
    std::string albumId;
    std::string caption;
    std::string artist;                                // EditArtist
    std::string album;                                 // EditTitle
    std::string genre;                                 // EditGenre
    std::string year;                                  // EditYear
    std::string media;                                 // EditMedia: a media text ("LD (local drive)") or a bare code
    std::string label;                                 // EditLabel
    std::string index;                                 // EditIndex
    std::string notes;                                 // Memo1: the whole notes text, lines separated by CR LF
    std::string revision = "0";                        // RevLabel: one character
    char source = catalogue::source::kOnlineDatabase;  // AlbumSource, stored in Sys
    std::vector<lookup::TrackRow> tracks;              // the grid's rows 1 to N
};

}  // namespace editing
