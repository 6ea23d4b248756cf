#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace lookup {

// The catalogue values an xmcd entry is written from: an ALBUMS row without
// the padding of its fixed-width fields, and its track titles.
struct SubmissionAlbum {
    std::string artist;
    std::string album;
    std::string year;
    std::string genre;
    std::string rev;    // the stored revision character; may be empty
    std::string notes;  // the whole notes text, lines ended by CR LF
    std::vector<std::string> trackTitles;  // trimmed, in track order
};

// The current row of albums, with the titles of the TRACKS rows whose ID
// is `albumId` in track order, read through allTracks (whose filter is put back
// afterwards). Throws xbase::XbaseError when the catalogue cannot be read.
SubmissionAlbum loadSubmissionAlbum(catalogue::Catalogue& catalogue, const std::string& albumId);

}  // namespace lookup
