#pragma once

#include <string_view>

#include "catalogue/catalogue.h"

// Finding an album by its identifier, for the disc in the drive and for
// pasted entries.
namespace lookup {

// Whether ALBUMS holds `id`, looked up on the second albums view
// (albumLookup), which is left unfiltered, in order ID, open, on the album
// when found. An empty `id` is never found.
bool albumInCatalogue(catalogue::Catalogue& catalogue, std::string_view id);

// Makes album `id` the current row of the main albums view (albums),
// keeping its order. Returns whether it was found; an empty `id` is not
// looked up.
bool makeAlbumCurrent(catalogue::Catalogue& catalogue, std::string_view id);

}  // namespace lookup
