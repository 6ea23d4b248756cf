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
    std::string artist;
    std::string album;
    std::string genre;
    std::string year;
    std::string media;  // a media text ("LD (local drive)") or a bare code
    std::string label;
    std::string index;
    std::string notes;                                 // the whole notes text, lines separated by CR LF
    std::string revision = "0";                        // one character
    char source = catalogue::source::kOnlineDatabase;  // stored in Sys
    std::vector<lookup::TrackRow> tracks;              // the track grid's rows
};

}  // namespace editing
