#pragma once

#include <string_view>

#include "catalogue/data_module.h"

// Finding an album by its identifier, for the disc in the drive and for
// pasted entries.
namespace lookup {

// Whether ALBUMS holds `id`, looked up on the second albums view
// (tblFilter), which is left unfiltered, in order ID, open, on the album
// when found. An empty `id` is never found.
bool albumInCatalogue(catalogue::TDM& dm, std::string_view id);

// Makes album `id` the current row of the main albums view (tblAlbums),
// keeping its order. Returns whether it was found; an empty `id` is not
// looked up.
bool makeAlbumCurrent(catalogue::TDM& dm, std::string_view id);

}  // namespace lookup
