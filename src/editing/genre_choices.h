#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace editing {

// The edit form's genre list: `settingsGenres` as they are, then the genres
// the collection's albums already carry that the settings lack, in lower
// case, sorted, each once (case ignored). Only what the settings hold is
// written back at close; the collection's part is read anew each time.
// Reads the albums through the Genre tag, one seek per distinct genre, and
// leaves the catalogue's views where they are. Throws xbase::XbaseError when
// the albums cannot be read.
std::vector<std::string> genreChoices(const std::vector<std::string>& settingsGenres, catalogue::Catalogue& catalogue);

}  // namespace editing
